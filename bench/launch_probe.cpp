// bench-probe: times a window program's start-up and exit from inside Wine, the same way for
// Vornet and for the minimal window (tools/bench). A console program, run as
//
//   bench-probe.exe launch EXE FOLDER CLASS TITLE EXIT [FILE]
//       Starts EXE in FOLDER with CreateProcess and polls, 1 ms apart, for the visible
//       window (FindWindowA + IsWindowVisible) and then for its first painted pixel: the
//       client area's top-left pixel on the screen (GetPixel on the screen DC, i.e. what X
//       shows) turning 192,192,192, the frame colour both programs draw there. After a pause
//       it asks the program to end (EXIT: "close" posts WM_CLOSE, a number posts WM_COMMAND
//       with that id) and waits for the process to be gone. FILE, when given, must have been
//       written during the exit (its last-write time moves on).
//       -> ok VISIBLE_MS PAINTED_MS EXIT_MS WRITTEN EXIT_CODE START_QPC_MS EXIT_QPC_MS
//       (the last two: QueryPerformanceCounter in ms at CreateProcess and at the exit
//       request, to line up with time stamps taken inside the program)
//
//   bench-probe.exe watch CLASS TITLE EXIT
//       Prints "ready", waits for a window the caller starts itself (e.g. `wine X.exe`), and
//       prints wall-clock times (Unix epoch, ns) of its first painted pixel (at once, as
//       "painted NS"), then of the exit request and of the process's end, for timing the
//       whole `wine X.exe` from outside.
//       -> painted PAINTED_NS, then ok PAINTED_NS EXIT_POSTED_NS GONE_NS
//
//   bench-probe.exe wait CLASS TITLE          waits for the window visible and painted
//       -> ok PROCESS_ID
//   bench-probe.exe end CLASS TITLE EXIT      asks it to end and waits for the process
//       -> ok EXIT_MS
//   bench-probe.exe switch CLASS TITLE COMMAND Y1 Y2
//       A click (button down and up) opens Vornet's list; a move to client y Y1 selects a
//       row and COMMAND switches to it; a move to Y2 selects the next. Then it prints
//       "armed", waits for a line on standard input, posts COMMAND once more (the switch
//       being measured), waits 500 ms and prints "ok": the caller traces that window only.
//
// Times are QueryPerformanceCounter differences, measured from just before CreateProcess;
// the shared cost of starting the `wine` loader is therefore left out of "launch".
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const COLORREF kPaintedColour = RGB(192, 192, 192);
const DWORD kSettleMs = 300;   // pause between the first paint and the exit request
const double kTimeoutMs = 30000;

LARGE_INTEGER frequency;

double NowMs()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

long long UnixNowNs()
{
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    unsigned long long ticks = (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<long long>(ticks - 116444736000000000ULL) * 100;
}

int Fail(const char* what)
{
    printf("err %s (error %lu)\n", what, GetLastError());
    fflush(stdout);
    return 1;
}

HWND VisibleWindow(const char* className, const char* title)
{
    HWND window = FindWindowA(className, title);
    return window != NULL && IsWindowVisible(window) ? window : NULL;
}

// Polls until the window is visible; returns it, or NULL after the time-out.
HWND WaitVisible(const char* className, const char* title, double start)
{
    for (;;) {
        HWND window = VisibleWindow(className, title);
        if (window != NULL)
            return window;
        if (NowMs() - start > kTimeoutMs)
            return NULL;
        Sleep(1);
    }
}

int IsPainted(HWND window, HDC screen)
{
    POINT origin = {0, 0};
    if (!ClientToScreen(window, &origin))
        return 0;
    return GetPixel(screen, origin.x, origin.y) == kPaintedColour;
}

int WaitPainted(HWND window, double start)
{
    HDC screen = GetDC(NULL);
    int painted = 0;
    for (;;) {
        if (IsPainted(window, screen)) {
            painted = 1;
            break;
        }
        if (NowMs() - start > kTimeoutMs || !IsWindow(window))
            break;
        Sleep(1);
    }
    ReleaseDC(NULL, screen);
    return painted;
}

void RequestExit(HWND window, const char* how)
{
    if (strcmp(how, "close") == 0)
        PostMessageA(window, WM_CLOSE, 0, 0);
    else
        PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(strtoul(how, NULL, 10)), 0);
}

unsigned long long LastWriteTime(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path == NULL || !GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

int Launch(char** argv, int argc)
{
    const char* exe = argv[2];
    const char* folder = argv[3];
    const char* className = argv[4];
    const char* title = argv[5];
    const char* exitHow = argv[6];
    const char* file = argc > 7 ? argv[7] : NULL;
    if (FindWindowA(className, title) != NULL)
        return Fail("the program is already running");

    char commandLine[MAX_PATH + 4];
    snprintf(commandLine, sizeof commandLine, "\"%s\"", exe);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    double start = NowMs();
    if (!CreateProcessA(exe, commandLine, NULL, NULL, FALSE, 0, NULL, folder, &startup, &process))
        return Fail("CreateProcess");
    HWND window = WaitVisible(className, title, start);
    double visible = NowMs();
    if (window == NULL) {
        TerminateProcess(process.hProcess, 1);
        return Fail("no visible window");
    }
    int painted = WaitPainted(window, start);
    double paintedAt = NowMs();
    if (!painted) {
        TerminateProcess(process.hProcess, 1);
        return Fail("the window was never painted");
    }

    Sleep(kSettleMs);
    unsigned long long before = LastWriteTime(file);
    double exitStart = NowMs();
    RequestExit(window, exitHow);
    DWORD waited = WaitForSingleObject(process.hProcess, static_cast<DWORD>(kTimeoutMs));
    double exitEnd = NowMs();
    if (waited != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        return Fail("the program did not end");
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    unsigned long long after = LastWriteTime(file);
    int written = file == NULL ? -1 : (after > before ? 1 : 0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    printf("ok %.3f %.3f %.3f %d %lu %.3f %.3f\n", visible - start, paintedAt - start,
           exitEnd - exitStart, written, exitCode, start, exitStart);
    fflush(stdout);
    return 0;
}

int Watch(char** argv)
{
    const char* className = argv[2];
    const char* title = argv[3];
    const char* exitHow = argv[4];
    printf("ready\n");
    fflush(stdout);
    double start = NowMs();
    HWND window = WaitVisible(className, title, start);
    if (window == NULL)
        return Fail("no visible window");
    if (!WaitPainted(window, start))
        return Fail("the window was never painted");
    long long paintedNs = UnixNowNs();
    printf("painted %lld\n", paintedNs); // at once: the caller may look at the process now
    fflush(stdout);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == NULL)
        return Fail("OpenProcess");
    Sleep(kSettleMs);
    long long postedNs = UnixNowNs();
    RequestExit(window, exitHow);
    DWORD waited = WaitForSingleObject(process, static_cast<DWORD>(kTimeoutMs));
    long long goneNs = UnixNowNs();
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0)
        return Fail("the program did not end");
    printf("ok %lld %lld %lld\n", paintedNs, postedNs, goneNs);
    fflush(stdout);
    return 0;
}

int WaitOnly(char** argv)
{
    double start = NowMs();
    HWND window = WaitVisible(argv[2], argv[3], start);
    if (window == NULL)
        return Fail("no visible window");
    if (!WaitPainted(window, start))
        return Fail("the window was never painted");
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    printf("ok %lu\n", processId);
    fflush(stdout);
    return 0;
}

int End(char** argv)
{
    HWND window = VisibleWindow(argv[2], argv[3]);
    if (window == NULL)
        return Fail("no visible window");
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == NULL)
        return Fail("OpenProcess");
    double start = NowMs();
    RequestExit(window, argv[4]);
    DWORD waited = WaitForSingleObject(process, static_cast<DWORD>(kTimeoutMs));
    double end = NowMs();
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0)
        return Fail("the program did not end");
    printf("ok %.3f\n", end - start);
    fflush(stdout);
    return 0;
}

int Switch(char** argv)
{
    HWND window = VisibleWindow(argv[2], argv[3]);
    if (window == NULL)
        return Fail("no visible window");
    WPARAM command = static_cast<WPARAM>(strtoul(argv[4], NULL, 10));
    LPARAM first = MAKELPARAM(5, atoi(argv[5]));
    LPARAM second = MAKELPARAM(5, atoi(argv[6]));
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Sleep(300);
    PostMessageA(window, WM_MOUSEMOVE, 0, first);
    PostMessageA(window, WM_COMMAND, command, 0);
    Sleep(300);
    PostMessageA(window, WM_MOUSEMOVE, 0, second);
    Sleep(300);
    printf("armed\n");
    fflush(stdout);
    char line[16];
    if (fgets(line, sizeof line, stdin) == NULL)
        return Fail("no go");
    PostMessageA(window, WM_COMMAND, command, 0);
    Sleep(500);
    printf("ok\n");
    fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QueryPerformanceFrequency(&frequency);
    if (argc >= 7 && strcmp(argv[1], "launch") == 0)
        return Launch(argv, argc);
    if (argc >= 5 && strcmp(argv[1], "watch") == 0)
        return Watch(argv);
    if (argc >= 4 && strcmp(argv[1], "wait") == 0)
        return WaitOnly(argv);
    if (argc >= 5 && strcmp(argv[1], "end") == 0)
        return End(argv);
    if (argc >= 7 && strcmp(argv[1], "switch") == 0)
        return Switch(argv);
    fprintf(stderr, "usage: bench-probe.exe launch EXE FOLDER CLASS TITLE EXIT [FILE]\n"
                    "       bench-probe.exe watch CLASS TITLE EXIT\n"
                    "       bench-probe.exe wait CLASS TITLE\n"
                    "       bench-probe.exe end CLASS TITLE EXIT\n"
                    "       bench-probe.exe switch CLASS TITLE COMMAND Y1 Y2\n");
    return 2;
}
