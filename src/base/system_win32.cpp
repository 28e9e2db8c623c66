// The operating-system services of the portable core, on Win32.
#include <windows.h>

#include <string.h>

#include "base/system.h"
#include "base/text_builder.h"

static_assert(sizeof(LocalTime) == sizeof(SYSTEMTIME), "LocalTime mirrors SYSTEMTIME");

LocalTime CurrentLocalTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalTime t;
    memcpy(&t, &now, sizeof t);
    return t;
}

int ShowMessage(OwnerWindow owner, const char* text, const char* title, unsigned kind)
{
    return MessageBoxA(static_cast<HWND>(owner), text, title, kind);
}

int IsLeadByte(unsigned char byte)
{
    return IsDBCSLeadByteEx(CP_ACP, byte) ? 1 : 0;
}

int SameCharacterIgnoringCase(const char* a, const char* b, size_t length)
{
    int n = static_cast<int>(length);
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a, n, b, n) == CSTR_EQUAL;
}

// The text as UTF-16 units in `wide`; their count.
static int WideUnits(const char* text, size_t length, UnicodeForm form, WCHAR* wide)
{
    if (form == FORM_UTF8)
        return MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), wide,
                                   static_cast<int>(length));
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    int high = form == FORM_UTF16BE ? 0 : 1;
    for (size_t u = 0; u < length / 2; ++u)
        wide[u] = static_cast<WCHAR>(bytes[2 * u + high] << 8 | bytes[2 * u + 1 - high]);
    return static_cast<int>(length / 2);
}

size_t ConvertToAnsi(char* text, size_t length, UnicodeForm form, int* lossy)
{
    *lossy = 1; // until the whole text is converted: a failure leaves it as it was, kept aside
    HANDLE heap = GetProcessHeap();
    WCHAR* wide = static_cast<WCHAR*>(HeapAlloc(heap, 0, (length + 1) * sizeof(WCHAR)));
    char* ansi = static_cast<char*>(HeapAlloc(heap, 0, length + 1));
    size_t result = length;
    if (wide != NULL && ansi != NULL) {
        int count = WideUnits(text, length, form, wide);
        // No best fit: a character without a form of its own must not turn silently into
        // another ("a" for "\u0101"); it is replaced and the original kept. A system whose
        // code page is UTF-8 has a form for every one and takes neither the flag nor the
        // question.
        int utf8 = GetACP() == CP_UTF8;
        BOOL replaced = FALSE;
        int written = count == 0 ? 0 : WideCharToMultiByte(CP_ACP, utf8 ? 0 : WC_NO_BEST_FIT_CHARS,
                                                           wide, count, ansi, static_cast<int>(length),
                                                           NULL, utf8 ? NULL : &replaced);
        if (written > 0 || length == 0) {
            memcpy(text, ansi, static_cast<size_t>(written));
            result = static_cast<size_t>(written);
            *lossy = replaced;
        }
    }
    if (wide != NULL)
        HeapFree(heap, 0, wide);
    if (ansi != NULL)
        HeapFree(heap, 0, ansi);
    return result;
}

unsigned long MillisecondsSinceInput()
{
    LASTINPUTINFO last = {sizeof last, 0};
    if (!GetLastInputInfo(&last))
        return 0;
    return GetTickCount() - last.dwTime; // unsigned: right across the wrap after 49 days
}

void ReadProgramPlace(char* program, size_t programSize, char* folder, size_t folderSize)
{
    char path[MAX_PATH * 2] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    CopyString(program, programSize, path);
    path[0] = '\0';
    GetCurrentDirectoryA(sizeof path, path);
    CopyString(folder, folderSize, path);
}

ScreenArea ReadScreenArea()
{
    if (GetSystemMetrics(SM_CMONITORS) > 1)
        return ScreenArea{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return ScreenArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

static uint64_t Join(DWORD high, DWORD low)
{
    return (static_cast<uint64_t>(high) << 32) | low;
}

int ReadFileStamp(const char* name, FileStamp* stamp)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data))
        return 0;
    stamp->size = Join(data.nFileSizeHigh, data.nFileSizeLow);
    stamp->written = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return 1;
}

// A read-only file is never written, also where the file system itself would allow it (a
// privileged account writes past the permission bits the attribute maps to).
static int IsReadOnly(const char* name)
{
    DWORD attributes = GetFileAttributesA(name);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

static int WriteAll(HANDLE file, const char* data, size_t length)
{
    while (length > 0) {
        DWORD chunk = length > 0x40000000 ? 0x40000000 : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!WriteFile(file, data, chunk, &written, NULL) || written == 0)
            return 0;
        data += written;
        length -= written;
    }
    return 1;
}

// Opened for writing too where that is allowed, so that no other program writes meanwhile;
// a file that may only be read is read all the same.
static HANDLE OpenToRead(const char* name)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    if (!IsReadOnly(name))
        file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE && (IsReadOnly(name) || GetLastError() == ERROR_ACCESS_DENIED))
        file = CreateFileA(name, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    return file;
}

ReadResult ReadWholeFile(const char* name, char* buffer, size_t limit, size_t* length,
                         FileStamp* stamp)
{
    HANDLE file = OpenToRead(name);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? READ_MISSING
                                                                                : READ_UNOPENABLE;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) {
        CloseHandle(file);
        return READ_UNOPENABLE;
    }
    stamp->size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    stamp->written = Join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
    if (stamp->size > limit) {
        CloseHandle(file);
        return READ_TOO_LARGE;
    }
    size_t total = 0;
    size_t wanted = static_cast<size_t>(stamp->size);
    while (total < wanted) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + total, static_cast<DWORD>(wanted - total), &got, NULL)) {
            CloseHandle(file);
            return READ_UNOPENABLE;
        }
        if (got == 0)
            break;
        total += got;
    }
    CloseHandle(file);
    *length = total;
    return READ_OK;
}

ReadResult ReadFileEnd(const char* name, char* buffer, size_t size, size_t* length, int* whole)
{
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? READ_MISSING
                                                                                : READ_UNOPENABLE;
    }
    LARGE_INTEGER fileSize, start;
    int read = GetFileSizeEx(file, &fileSize);
    start.QuadPart = fileSize.QuadPart > static_cast<LONGLONG>(size)
                         ? fileSize.QuadPart - static_cast<LONGLONG>(size) : 0;
    size_t wanted = static_cast<size_t>(fileSize.QuadPart - start.QuadPart);
    size_t total = 0;
    read = read && SetFilePointerEx(file, start, NULL, FILE_BEGIN);
    while (read && total < wanted) {
        DWORD got = 0;
        read = ReadFile(file, buffer + total, static_cast<DWORD>(wanted - total), &got, NULL);
        if (got == 0)
            break;
        total += got;
    }
    CloseHandle(file);
    *length = total;
    *whole = start.QuadPart == 0;
    return read ? READ_OK : READ_UNOPENABLE;
}

// 1 when `name` is missing or may be written now: neither read-only nor held by another.
static int MayRewrite(const char* name)
{
    if (IsReadOnly(name))
        return 0;
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    CloseHandle(file);
    return 1;
}

WriteResult ReplaceWholeFile(const char* name, const char* data, size_t length, FileStamp* stamp)
{
    char temporary[MAX_PATH];
    TextBuilder b = {temporary, sizeof temporary, 0};
    AppendText(&b, name);
    AppendText(&b, ".tmp");
    if (!MayRewrite(name))
        return WRITE_CANNOT_CREATE;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_ACCESS_DENIED ? WRITE_NO_TEMPORARY : WRITE_CANNOT_CREATE;
    // Flushed before the move, so that after a power loss the name holds a whole text.
    int whole = WriteAll(file, data, length) && FlushFileBuffers(file);
    CloseHandle(file);
    if (!whole) {
        DeleteFileA(temporary);
        return WRITE_FAILED;
    }
    if (!MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        return WRITE_CANNOT_CREATE;
    }
    ReadFileStamp(name, stamp);
    return WRITE_OK;
}

WriteResult RewriteWholeFile(const char* name, const char* data, size_t length, FileStamp* stamp)
{
    if (IsReadOnly(name))
        return WRITE_CANNOT_CREATE;
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return WRITE_CANNOT_CREATE;
    int whole = WriteAll(file, data, length) && SetEndOfFile(file) && FlushFileBuffers(file);
    CloseHandle(file);
    ReadFileStamp(name, stamp);
    return whole ? WRITE_OK : WRITE_FAILED;
}

WriteResult AppendToFile(const char* name, const char* data, size_t length)
{
    if (IsReadOnly(name))
        return WRITE_CANNOT_CREATE;
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              NULL);
    if (file == INVALID_HANDLE_VALUE)
        return WRITE_CANNOT_CREATE;
    LARGE_INTEGER zero, end;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(file, zero, &end, FILE_END)) {
        CloseHandle(file);
        return WRITE_FAILED;
    }
    if (!WriteAll(file, data, length) || !FlushFileBuffers(file)) {
        // A part of a line would corrupt the log: cut the file back to where it ended.
        SetFilePointerEx(file, end, NULL, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
        return WRITE_FAILED;
    }
    CloseHandle(file);
    return WRITE_OK;
}

int RemoveFile(const char* name)
{
    if (DeleteFileA(name))
        return 0;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : -1;
}

int MoveFileTo(const char* from, const char* to)
{
    DWORD attributes = GetFileAttributesA(from);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return -1;
    return MoveFileA(from, to) ? 0 : -1; // never over an existing file
}
