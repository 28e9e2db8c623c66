// One Vornet per folder: two in the same folder would log every period twice and overwrite
// each other's settings. A named shared block per folder holds the first one's window.
#include <windows.h>

#include "app/single_instance_win32.h"

#include "base/text_builder.h"

static HANDLE folderClaim = NULL;
static HWND* claimedWindow = NULL;

// A name for the current folder: its full path, folded to upper case and hashed.
static void FolderClaimName(char* name, size_t size)
{
    char folder[MAX_PATH * 2];
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    unsigned long long hash = 1469598103934665603ULL;
    for (DWORD i = 0; i < length && i < sizeof folder; ++i) {
        char c = folder[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c == '/')
            c = '\\';
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    TextBuilder b = {name, size, 0};
    AppendText(&b, "Local\\Vornet-folder-");
    for (int shift = 60; shift >= 0; shift -= 4)
        AppendBytes(&b, &"0123456789abcdef"[(hash >> shift) & 15], 1);
}

int ClaimFolder()
{
    char name[64];
    FolderClaimName(name, sizeof name);
    folderClaim = CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(HWND), name);
    if (folderClaim == NULL)
        return 1; // no claim possible: run rather than refuse the user
    int first = GetLastError() != ERROR_ALREADY_EXISTS;
    claimedWindow = static_cast<HWND*>(MapViewOfFile(folderClaim, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(HWND)));
    if (first)
        return 1;
    HWND other = claimedWindow != NULL ? *claimedWindow : NULL;
    if (other != NULL && IsWindow(other)) {
        DWORD process = 0;
        GetWindowThreadProcessId(other, &process);
        AllowSetForegroundWindow(process);
        // The same path as a left press on its tray icon: the strip comes to the front.
        PostMessageA(other, WM_USER, 0, WM_LBUTTONDOWN);
    }
    ReleaseFolder();
    return 0;
}

void NoteClaimedWindow(HWND window)
{
    if (claimedWindow != NULL)
        *claimedWindow = window;
}

void ReleaseFolder()
{
    if (claimedWindow != NULL)
        UnmapViewOfFile(claimedWindow);
    if (folderClaim != NULL)
        CloseHandle(folderClaim);
    claimedWindow = NULL;
    folderClaim = NULL;
}
