// A file the program must not overwrite unread is kept aside under a name of its own.
#pragma once
#include <stddef.h>

// "<stem>-kept-N<ext>" for `name` ("setting.ini", 2 -> "setting-kept-2.ini"); returns its
// length, cut to `capacity`.
size_t KeptFileName(const char* name, int n, char* out, size_t capacity);
// Renames the file `name` to the first free kept name beside it (N from 1) and writes that
// name into `keptName`. Returns 0 when it was moved, -1 when it could not be (a read-only
// file is never moved).
int KeepFileAside(const char* name, char* keptName, size_t keptSize);
