// The few operating-system services the portable core needs. The program links the Win32
// versions (system_win32.cpp); unit tests link an in-memory stand-in with fault injection.
#pragma once
#include <stddef.h>
#include "tasks/local_time.h"

typedef void* OwnerWindow; // the window that owns a message box (an HWND in the program)

// Message box kinds, with the values the Win32 MB_ flags have.
enum {
    MESSAGE_PLAIN = 0x00,   // MB_OK
    MESSAGE_ERROR = 0x10,   // MB_ICONERROR
    MESSAGE_WARNING = 0x30  // MB_ICONWARNING
};

LocalTime CurrentLocalTime();
void ShowMessage(OwnerWindow owner, const char* text, const char* title, unsigned kind);

enum ReadResult {
    READ_OK,
    READ_MISSING,    // no such file
    READ_UNOPENABLE, // it exists but could not be opened for reading and writing (in use, read-only)
    READ_TOO_LARGE   // longer than the limit: nothing was read
};
// Opens `name` for reading and writing without sharing and reads it whole into `buffer`
// when it holds at most `limit` bytes (`buffer` has room for `limit`).
ReadResult ReadWholeFile(const char* name, char* buffer, size_t limit, size_t* length);

enum WriteResult {
    WRITE_OK = 0,
    WRITE_CANNOT_CREATE = -1, // could not be created or replaced
    WRITE_FAILED = -2         // created but not written whole: nothing changed
};
// Writes `data` to a temporary file beside `name`, flushes it and moves it over `name`,
// so that `name` holds either the old text or the new one, never a part.
WriteResult ReplaceWholeFile(const char* name, const char* data, size_t length);
// Appends `data` to `name` (created when missing), opened without sharing. A short write
// is undone, so the file never keeps a partial line.
WriteResult AppendToFile(const char* name, const char* data, size_t length);

// Renames `name` to the first free "<stem>-kept-N<ext>" beside it and writes that name
// into `keptName`. Returns 0 when it was moved, 1 when there is no such file, -1 when it
// could not be moved (a read-only file is never moved).
int KeepFileAside(const char* name, char* keptName, size_t keptSize);
