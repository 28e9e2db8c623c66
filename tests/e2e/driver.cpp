// vornet-driver: looks at and pokes windows of other processes for the end-to-end tests.
// `vornet-driver serve` reads one command per line and answers one line: "ok" and fields,
// or "err" and a reason. Fields are separated by tabs; a text field of an answer has its
// tab, CR, LF and backslash written as \t, \r, \n and \\ (commands hold none of them).
// Window handles and numbers are decimal.
//   ping
//   windows CLASS              every visible top-level window of that class: handle, pid,
//                              left, top, right, bottom and text, seven fields per window
//   text H | settext H TEXT    WM_GETTEXT / WM_SETTEXT
//   child H ID                 GetDlgItem
//   post H MSG W L | send H MSG W L
//                              PostMessage, or SendMessage (returns once H handled it)
//   exstyle H | foreground
//   move H X Y                 moves the window (as a removed monitor leaves it)
//   hold PATH | release PATH   keeps a file open without sharing, as another program may
//   presence H STATE           what Windows 8 and later send on the user's presence: a
//                              POWERBROADCAST_SETTING written into H's process, its address
//                              sent with WM_POWERBROADCAST / PBT_POWERSETTINGCHANGE
//   shortcut NAME              the program and working folder of the shortcut NAME in the
//                              Startup folder, or err when there is none
//   textdiff H FACE HEIGHT WEIGHT TEXTCOLOUR BACKCOLOUR UTF8HEX [X Y]
//                              the pixels of H's client area, inside its 1-pixel frame, that
//                              differ from the Unicode text drawn at (X, Y), by default (5, 3),
//                              on the back colour in that font of the system's character set,
//                              and those that show anything but the back colour: two counts
//   dpichanged H DPI L T R B   what Windows sends when H comes onto a monitor of another scale:
//                              the suggested rectangle written into H's process, its address
//                              sent with WM_DPICHANGED
//   msaa H                     H's client object as a screen reader reads it (MSAA): name, role
//                              and state of the object, then of each of its children
//   hotkey MODIFIERS KEY       holds a hotkey as another program may; 0 0 lets it go
#include <windows.h>

#include <objbase.h>
#include <oleacc.h>
#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Words;

const UINT kSendTimeout = 5000;
std::map<std::string, HANDLE> heldFiles;

std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\\': out += "\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

Words Split(const std::string& line)
{
    Words words;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        words.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return words;
        start = tab + 1;
    }
}

long long Number(const std::string& text)
{
    return strtoll(text.c_str(), nullptr, 0);
}

HWND Window(const std::string& text)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(Number(text)));
}

std::string Handle(HWND window)
{
    return std::to_string(static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
}

std::string TextOf(HWND window)
{
    char text[8192] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, kSendTimeout, &length))
        return "";
    return std::string(text, length < sizeof text ? length : sizeof text - 1);
}

DWORD ProcessOf(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

struct Search {
    std::string wanted;
    std::string found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    Search* search = reinterpret_cast<Search*>(param);
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    if (!IsWindowVisible(window) || search->wanted != name)
        return TRUE;
    RECT r;
    GetWindowRect(window, &r);
    char fields[128];
    snprintf(fields, sizeof fields, "\t%s\t%lu\t%ld\t%ld\t%ld\t%ld\t", Handle(window).c_str(),
             ProcessOf(window), r.left, r.top, r.right, r.bottom);
    search->found += fields + Escaped(TextOf(window));
    return TRUE;
}

std::string Deliver(const Words& w)
{
    HWND window = Window(w[1]);
    UINT message = static_cast<UINT>(Number(w[2]));
    WPARAM wParam = static_cast<WPARAM>(Number(w[3]));
    LPARAM lParam = static_cast<LPARAM>(Number(w[4]));
    BOOL done = w[0] == "post" ? PostMessageA(window, message, wParam, lParam)
                               : SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                                     kSendTimeout, NULL) != 0;
    return done ? "ok" : "err not delivered";
}

std::string Hold(const std::string& path, bool hold)
{
    auto it = heldFiles.find(path);
    if (!hold) {
        if (it == heldFiles.end())
            return "err not held";
        CloseHandle(it->second);
        heldFiles.erase(it);
        return "ok";
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "err cannot open";
    heldFiles[path] = file;
    return "ok";
}

std::wstring FromUtf8Hex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(strtol(hex.substr(i, 2).c_str(), nullptr, 16));
    std::wstring wide(bytes.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0],
                                static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n : 0);
    return wide;
}

HDC Canvas(HDC screen, int width, int height)
{
    HDC dc = CreateCompatibleDC(screen);
    DeleteObject(SelectObject(dc, CreateCompatibleBitmap(screen, width, height)));
    return dc;
}

void Release(HDC dc)
{
    DeleteObject(GetCurrentObject(dc, OBJ_BITMAP));
    DeleteDC(dc);
}

std::string TextDiff(const Words& w)
{
    size_t n = w.size();
    HWND window = Window(w[1]);
    RECT client;
    POINT origin = {0, 0};
    if (!GetClientRect(window, &client) || !ClientToScreen(window, &origin))
        return "err no such window";
    int width = client.right, height = client.bottom;
    HDC screen = GetDC(NULL);
    HDC shown = Canvas(screen, width, height), expected = Canvas(screen, width, height);
    BitBlt(shown, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    COLORREF text = static_cast<COLORREF>(Number(w[5])), back = static_cast<COLORREF>(Number(w[6]));
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(expected, &client, brush);
    DeleteObject(brush);
    CHARSETINFO info = {};
    TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info, TCI_SRCCODEPAGE);
    std::wstring face(w[2].begin(), w[2].end()), words = FromUtf8Hex(w[7]); // faces are ASCII
    HFONT font = CreateFontW(static_cast<int>(Number(w[3])), 0, 0, 0, static_cast<int>(Number(w[4])),
                             FALSE, FALSE, FALSE, static_cast<BYTE>(info.ciCharset), OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face.c_str());
    HGDIOBJ earlier = SelectObject(expected, font);
    SetBkMode(expected, TRANSPARENT);
    SetTextColor(expected, text);
    int left = n == 10 ? static_cast<int>(Number(w[8])) : 5, top = n == 10 ? static_cast<int>(Number(w[9])) : 3;
    TextOutW(expected, left, top, words.c_str(), static_cast<int>(words.size()));
    DeleteObject(SelectObject(expected, earlier));
    long differ = 0, inked = 0;
    for (int y = 1; y < height - 1; ++y) {
        for (int x = 1; x < width - 1; ++x) {
            COLORREF pixel = GetPixel(shown, x, y);
            differ += pixel != GetPixel(expected, x, y);
            inked += pixel != back;
        }
    }
    Release(shown);
    Release(expected);
    ReleaseDC(NULL, screen);
    return "ok\t" + std::to_string(differ) + "\t" + std::to_string(inked);
}

// Sends `message` with the address of a copy of `data` written into the window's process, as
// the system passes its records.
std::string SendWithRecord(HWND window, UINT message, WPARAM wParam, const void* data, SIZE_T size)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, ProcessOf(window));
    if (process == NULL)
        return "err no such process";
    void* at = VirtualAllocEx(process, NULL, size, MEM_COMMIT, PAGE_READWRITE);
    BOOL written = at != NULL && WriteProcessMemory(process, at, data, size, NULL);
    CloseHandle(process);
    if (!written)
        return "err not written";
    return SendMessageTimeoutA(window, message, wParam, reinterpret_cast<LPARAM>(at),
                               SMTO_ABORTIFHUNG, kSendTimeout, NULL) ? "ok" : "err no answer";
}

std::string Presence(HWND window, DWORD state)
{
    struct Setting {
        GUID setting;
        DWORD length;
        DWORD state;
    } notice = {{0x3c0f4548, 0xc03f, 0x4c4d, {0xb9, 0xf2, 0x23, 0x7e, 0xde, 0x68, 0x63, 0x76}},
                sizeof(DWORD), state};
    return SendWithRecord(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, &notice, sizeof notice);
}

std::string DpiChanged(const Words& w)
{
    WORD dpi = static_cast<WORD>(Number(w[2]));
    RECT suggested = {static_cast<LONG>(Number(w[3])), static_cast<LONG>(Number(w[4])),
                      static_cast<LONG>(Number(w[5])), static_cast<LONG>(Number(w[6]))};
    return SendWithRecord(Window(w[1]), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), &suggested, sizeof suggested);
}

std::string Shortcut(const std::string& name)
{
    char folder[MAX_PATH];
    if (FAILED(SHGetFolderPathA(NULL, CSIDL_STARTUP, NULL, SHGFP_TYPE_CURRENT, folder)))
        return "err no Startup folder";
    std::string path = std::string(folder) + "\\" + name;
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return "err none";
    std::wstring wide(path.begin(), path.end());
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    IShellLinkA* link = NULL;
    IPersistFile* file = NULL;
    char target[MAX_PATH] = "", working[MAX_PATH] = "";
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
        link->GetPath(target, MAX_PATH, NULL, SLGP_RAWPATH);
        link->GetWorkingDirectory(working, MAX_PATH);
    }
    if (file != NULL)
        file->Release();
    if (link != NULL)
        link->Release();
    CoUninitialize();
    return "ok\t" + Escaped(target) + "\t" + Escaped(working);
}

// Written out: across processes, the static uuid library's symbol was not recognised.
const GUID kAccessibleId = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::string Msaa(HWND window)
{
    static HRESULT com = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    IAccessible* object = NULL;
    void** asked = reinterpret_cast<void**>(&object);
    if (FAILED(com) || FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, kAccessibleId, asked)))
        return "err no object";
    std::string out = "ok";
    LONG count = 0;
    object->get_accChildCount(&count);
    for (VARIANT id = {}, role, state; id.vt = VT_I4, id.lVal <= count; ++id.lVal) {
        BSTR name = NULL;
        char text[4096] = "";
        object->get_accName(id, &name), object->get_accRole(id, &role), object->get_accState(id, &state);
        WideCharToMultiByte(CP_ACP, 0, name ? name : L"", -1, text, sizeof text, NULL, NULL);
        out += "\t" + Escaped(text) + "\t" + std::to_string(role.lVal) + "\t" + std::to_string(state.lVal);
        SysFreeString(name);
    }
    object->Release();
    return out;
}

std::string Run(const Words& w)
{
    const std::string& c = w[0];
    size_t n = w.size();
    if (c == "ping")
        return "ok";
    if (c == "windows" && n == 2) {
        Search search = {w[1], ""};
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
        return "ok" + search.found;
    }
    if (c == "text" && n == 2)
        return "ok\t" + Escaped(TextOf(Window(w[1])));
    if (c == "settext" && n == 3)
        return SendMessageTimeoutA(Window(w[1]), WM_SETTEXT, 0,
                                   reinterpret_cast<LPARAM>(w[2].c_str()), SMTO_ABORTIFHUNG,
                                   kSendTimeout, NULL) ? "ok" : "err no answer";
    if (c == "child" && n == 3)
        return "ok\t" + Handle(GetDlgItem(Window(w[1]), static_cast<int>(Number(w[2]))));
    if ((c == "post" || c == "send") && n == 5)
        return Deliver(w);
    if (c == "exstyle" && n == 2)
        return "ok\t" + std::to_string(GetWindowLongA(Window(w[1]), GWL_EXSTYLE));
    if (c == "foreground")
        return "ok\t" + Handle(GetForegroundWindow());
    if (c == "move" && n == 4)
        return SetWindowPos(Window(w[1]), NULL, static_cast<int>(Number(w[2])),
                            static_cast<int>(Number(w[3])), 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? "ok" : "err not moved";
    if (c == "presence" && n == 3)
        return Presence(Window(w[1]), static_cast<DWORD>(Number(w[2])));
    if (c == "shortcut" && n == 2)
        return Shortcut(w[1]);
    if (c == "textdiff" && (n == 8 || n == 10))
        return TextDiff(w);
    if (c == "dpichanged" && n == 7)
        return DpiChanged(w);
    if (c == "msaa" && n == 2)
        return Msaa(Window(w[1]));
    if (c == "hotkey" && n == 3) {
        UnregisterHotKey(NULL, 1);
        UINT modifiers = static_cast<UINT>(Number(w[1]));
        UINT key = static_cast<UINT>(Number(w[2]));
        return modifiers == 0 || RegisterHotKey(NULL, 1, modifiers, key) ? "ok" : "err taken";
    }
    if ((c == "hold" || c == "release") && n == 2)
        return Hold(w[1], c == "hold");
    return "err unknown command or arguments: " + Escaped(c);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 || strcmp(argv[1], "serve") != 0) {
        fprintf(stderr, "usage: vornet-driver serve\n");
        return 2;
    }
    char line[65536];
    while (fgets(line, sizeof line, stdin) != NULL) {
        size_t length = strcspn(line, "\r\n");
        line[length] = '\0';
        printf("%s\n", Run(Split(line)).c_str());
        fflush(stdout);
    }
    return 0;
}
