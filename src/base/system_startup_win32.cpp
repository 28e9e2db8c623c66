// Shortcuts in the user's Startup folder, through the shell's link object. COM is started
// only for the one operation, on this thread, and ended after it.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include "base/system.h"
#include "base/text_builder.h"

namespace {

struct LinkObject {
    WCHAR path[MAX_PATH * 2]; // the shortcut's file, wide as the link object takes it
    IShellLinkA* link;
    IPersistFile* file;
    int comStarted;
};

int ShortcutPath(const char* name, WCHAR* path, int size)
{
    char folder[MAX_PATH];
    if (FAILED(SHGetFolderPathA(NULL, CSIDL_STARTUP, NULL, SHGFP_TYPE_CURRENT, folder)))
        return 0;
    char full[MAX_PATH * 2];
    TextBuilder b = {full, sizeof full, 0};
    AppendText(&b, folder);
    AppendText(&b, "\\");
    AppendText(&b, name);
    return MultiByteToWideChar(CP_ACP, 0, full, -1, path, size) > 0;
}

void CloseShellLink(LinkObject* s)
{
    if (s->file != NULL)
        s->file->Release();
    if (s->link != NULL)
        s->link->Release();
    if (s->comStarted)
        CoUninitialize();
}

// 1 with a link object, read from the shortcut when `load` is 1; 0 after a failure, with
// everything already closed.
int OpenShellLink(const char* name, int load, LinkObject* s)
{
    s->link = NULL;
    s->file = NULL;
    s->comStarted = 0;
    if (!ShortcutPath(name, s->path, MAX_PATH * 2))
        return 0;
    s->comStarted = SUCCEEDED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED));
    int open = s->comStarted &&
               SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER,
                                          IID_IShellLinkA, reinterpret_cast<void**>(&s->link))) &&
               SUCCEEDED(s->link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&s->file))) &&
               (!load || SUCCEEDED(s->file->Load(s->path, STGM_READ)));
    if (!open)
        CloseShellLink(s);
    return open;
}

} // namespace

int ReadStartupShortcut(const char* name, char* program, size_t programSize, char* folder,
                        size_t folderSize)
{
    WCHAR path[MAX_PATH * 2];
    if (!ShortcutPath(name, path, MAX_PATH * 2))
        return -1;
    if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES)
        return 0;
    LinkObject s;
    if (!OpenShellLink(name, 1, &s))
        return -1;
    char target[MAX_PATH * 2] = "", working[MAX_PATH * 2] = "";
    int read = SUCCEEDED(s.link->GetPath(target, sizeof target, NULL, SLGP_RAWPATH)) &&
               SUCCEEDED(s.link->GetWorkingDirectory(working, sizeof working));
    CloseShellLink(&s);
    CopyString(program, programSize, target);
    CopyString(folder, folderSize, working);
    return read ? 1 : -1;
}

int MakeStartupShortcut(const char* name, const char* program, const char* folder)
{
    LinkObject s;
    if (!OpenShellLink(name, 0, &s))
        return -1;
    int made = SUCCEEDED(s.link->SetPath(program)) && SUCCEEDED(s.link->SetWorkingDirectory(folder)) &&
               SUCCEEDED(s.file->Save(s.path, TRUE));
    CloseShellLink(&s);
    return made ? 0 : -1;
}

int RemoveStartupShortcut(const char* name)
{
    WCHAR path[MAX_PATH * 2];
    if (!ShortcutPath(name, path, MAX_PATH * 2))
        return -1;
    if (DeleteFileW(path))
        return 0;
    return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : -1;
}
