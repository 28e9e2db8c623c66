// The few operating-system services the portable core needs. The program links the Win32
// versions (system_win32.cpp); unit tests link an in-memory stand-in with fault injection.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "base/local_time.h"

typedef void* OwnerWindow; // the window that owns a message box (an HWND in the program)

// Message box kinds, with the values the Win32 MB_ flags have.
enum {
    MESSAGE_PLAIN = 0x00,    // MB_OK
    MESSAGE_ERROR = 0x10,    // MB_ICONERROR
    MESSAGE_WARNING = 0x30,  // MB_ICONWARNING
    MESSAGE_QUESTION = 0x24, // MB_YESNO | MB_ICONQUESTION
    ANSWER_YES = 6,          // IDYES
    ANSWER_NO = 7            // IDNO
};

LocalTime CurrentLocalTime();
// Shows a message box and returns the button chosen (ANSWER_YES for Yes).
int ShowMessage(OwnerWindow owner, const char* text, const char* title, unsigned kind);
// 1 when `byte` begins a two-byte character in the system's 8-bit code page.
int IsLeadByte(unsigned char byte);
// 1 when the `length` bytes at `a` and at `b`, one character each, are the same character
// without regard to case in the system's code page.
int SameCharacterIgnoringCase(const char* a, const char* b, size_t length);

// Unicode text as editors save it.
enum UnicodeForm { FORM_UTF8, FORM_UTF16LE, FORM_UTF16BE };
// Converts the `length` bytes of `text`, in `form`, to the system's ANSI code page in place
// (the result is never longer) and returns its length. A character the code page has no
// form for becomes its replacement character, and `lossy` is then 1; a text that cannot be
// converted at all stays as it was, with its length, and `lossy` 1.
size_t ConvertToAnsi(char* text, size_t length, UnicodeForm form, int* lossy);

// Milliseconds since the user last gave the system input (keys, pointer).
unsigned long MillisecondsSinceInput();

// This program's file and the folder it works in (where setting.ini and timelog.csv lie).
void ReadProgramPlace(char* program, size_t programSize, char* folder, size_t folderSize);
// Shortcuts `name` ("Vornet.lnk") in the user's Startup folder, whose programs Windows starts
// at logon. Reading gives the program and working folder: 1, or 0 when there is no such
// shortcut, -1 when it cannot be read. Making and removing give 0, or -1 on a failure.
int ReadStartupShortcut(const char* name, char* program, size_t programSize, char* folder,
                        size_t folderSize);
int MakeStartupShortcut(const char* name, const char* program, const char* folder);
int RemoveStartupShortcut(const char* name);

// The screen the window may occupy: the virtual screen when more than one monitor is
// attached (its origin may lie left of or above the primary's), else the primary screen.
struct ScreenArea {
    int left, top, width, height;
};
ScreenArea ReadScreenArea();

// What tells one version of a file from another: its size and last-write time.
struct FileStamp {
    uint64_t size;
    uint64_t written;
};
// 1 and the stamp when `name` exists, else 0.
int ReadFileStamp(const char* name, FileStamp* stamp);

enum ReadResult {
    READ_OK,         // read whole; a file that may not be written is read all the same
    READ_MISSING,    // no such file
    READ_UNOPENABLE, // it exists but could not be opened (held by another program)
    READ_TOO_LARGE   // longer than the limit: nothing was read
};
// Reads `name`, opened without sharing, whole into `buffer` when it holds at most `limit`
// bytes (`buffer` has room for `limit`); `stamp` is the version read.
ReadResult ReadWholeFile(const char* name, char* buffer, size_t limit, size_t* length,
                         FileStamp* stamp);

// Reads the last `size` bytes of `name` (all of it when it is shorter), opened for reading
// alongside other readers only; `whole` is 1 when that is the whole file.
ReadResult ReadFileEnd(const char* name, char* buffer, size_t size, size_t* length, int* whole);

enum WriteResult {
    WRITE_OK = 0,
    WRITE_CANNOT_CREATE = -1, // could not be created or replaced (held, read-only)
    WRITE_FAILED = -2,        // created but not written whole: nothing changed
    WRITE_NO_TEMPORARY = -3   // the folder takes no new file, though `name` may be rewritten
};
// Writes `data` to a temporary file beside `name`, flushes it and moves it over `name`,
// so that `name` holds either the old text or the new one, never a part. `stamp` is the
// version written.
WriteResult ReplaceWholeFile(const char* name, const char* data, size_t length, FileStamp* stamp);
// Rewrites the existing file `name` in place, for folders that take no new file.
WriteResult RewriteWholeFile(const char* name, const char* data, size_t length, FileStamp* stamp);
// Appends `data` to `name` (created when missing), opened without sharing, and has it on
// disk before it returns, so that a power loss after it keeps it. A short write is undone,
// so the file never keeps a partial line.
WriteResult AppendToFile(const char* name, const char* data, size_t length);

// Removes the file `name`: 0 when it is gone (or never was there), -1 when it stays.
int RemoveFile(const char* name);

// Renames the file `from` to `to`: 0 when it was moved, -1 when not (no such file, a folder,
// a read-only file, which is never moved, or `to` exists already).
int MoveFileTo(const char* from, const char* to);
