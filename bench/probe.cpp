// bench-probe EXE FOLDER CLASS TITLE: times a window program from inside Wine, the same way
// for Vornet and the minimal window (bench/bench.py drives it).
// Starts EXE in FOLDER with CreateProcess and polls every 1 ms until the window is visible and
// its client area's top-left screen pixel shows the frame colour both programs draw there;
// prints "painted VISIBLE_MS PAINTED_MS". Then posts to the window one message per line read,
// "p MESSAGE WPARAM X Y"; after "e MESSAGE WPARAM X Y" it waits for the process to end and
// prints "ok MS_SINCE_THAT_MESSAGE EXIT_CODE".
#include <windows.h>
#include <stdio.h>

static double MsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

static int Fail(HANDLE process, const char* what)
{
    printf("err %s (error %lu)\n", what, GetLastError());
    TerminateProcess(process, 1);
    return 1;
}

int main(int argc, char** argv)
{
    if (argc != 5)
        return Fail(NULL, "usage: bench-probe EXE FOLDER CLASS TITLE");
    char commandLine[MAX_PATH + 4];
    snprintf(commandLine, sizeof commandLine, "\"%s\"", argv[1]);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(argv[1], commandLine, NULL, NULL, FALSE, 0, NULL, argv[2], &startup,
                        &process))
        return Fail(NULL, "CreateProcess");
    HWND window = NULL;
    HDC screen = GetDC(NULL);
    double visible = 0;
    for (;; Sleep(1)) {
        if (MsSince(start) > 30000)
            return Fail(process.hProcess, "no painted window");
        if (window == NULL) {
            window = FindWindowA(argv[3], argv[4]);
            window = window != NULL && IsWindowVisible(window) ? window : NULL;
            visible = MsSince(start);
        }
        POINT origin = {0, 0};
        if (window != NULL && ClientToScreen(window, &origin) &&
            GetPixel(screen, origin.x, origin.y) == RGB(192, 192, 192))
            break;
    }
    printf("painted %.3f %.3f\n", visible, MsSince(start));
    fflush(stdout);
    char line[80], kind = 0;
    unsigned message = 0, wParam = 0;
    int x = 0, y = 0;
    while (kind != 'e' && fgets(line, sizeof line, stdin) != NULL) {
        if (sscanf(line, "%c %u %u %d %d", &kind, &message, &wParam, &x, &y) != 5)
            return Fail(process.hProcess, "a bad line");
        QueryPerformanceCounter(&start);
        PostMessageA(window, message, wParam, MAKELPARAM(x, y));
    }
    DWORD code = 0;
    if (kind != 'e' || WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &code))
        return Fail(process.hProcess, "the program did not end");
    printf("ok %.3f %lu\n", MsSince(start), code);
    return 0;
}
