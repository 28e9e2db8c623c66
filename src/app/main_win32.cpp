// Process entry, the main window's two ends, and the message loop.
#include <windows.h>

#include "app/app_win32.h"
#include "app/shell_state.h"
#include "app/text_builder.h"
#include "display/display_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

HINSTANCE appInstance = NULL;
HICON appIcon = NULL;
HMODULE user32Module = NULL;
SetLayeredAttributesFunction setLayeredAttributes = NULL;
UINT taskbarCreatedMessage = 0;
char trayTip[20];

static const char kClassName[] = "Quernbox";

static void MeasureScreen()
{
    if (GetSystemMetrics(SM_CMONITORS) > 1) {
        screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    } else {
        screenWidth = GetSystemMetrics(SM_CXSCREEN);
        screenHeight = GetSystemMetrics(SM_CYSCREEN);
    }
}

// The order matters: settings before the font, the font before anything is measured.
LRESULT InitMainWindow(HWND window)
{
    TextBuilder tip = {trayTip, sizeof trayTip, 0};
    AppendText(&tip, "Vornet");
    dragCountdown = 0;
    MeasureScreen();
    useBackdatedTime = 0;
    listOpen = 0;
    dialogOpen = 0;
    selectedRow = 0;
    firstSwitchPending = 1;
    current_task = 0;
    lastRow = 1;
    SetDefaultSettings();
    LoadSettings(window);
    CreateBackBufferAndFonts(window);
    AddTrayIcon(window, IDI_VORNET, appIcon, trayTip);
    PlaceInitialStrip(window);
    StartRunningTask();
    return 0;
}

LRESULT ShutdownMainWindow(HWND window)
{
    ReadWindowOrigin(window);
    current_task = 0;
    SaveSettings(window);
    if (TaskTable[0][0] != '\0')
        AppendTimeLog(window, TaskTable[0]);
    SaveHeldLogAside(window);
    FreeLibrary(user32Module);
    user32Module = NULL;
    setLayeredAttributes = NULL;
    ReleaseDrawingResources();
    RemoveTrayIcon();
    PostQuitMessage(0);
    return 0;
}

static ATOM RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = appIcon;
    windowClass.hIconSm = appIcon;
    windowClass.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExA(&windowClass);
}

static int RunMessageLoop(HWND window)
{
    HACCEL accelerators = LoadAcceleratorsA(appInstance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        if (TranslateAcceleratorA(window, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    appInstance = instance;
    if (!ClaimFolder())
        return 0;
    appIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_VORNET));
    if (!RegisterMainClass(instance))
        return 0;
    user32Module = LoadLibraryA("user32.dll");
    if (user32Module != NULL)
        setLayeredAttributes = reinterpret_cast<SetLayeredAttributesFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32Module, "SetLayeredWindowAttributes")));
    HWND window = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kClassName, "Vornet",
                                  WS_POPUP | WS_DLGFRAME | WS_SYSMENU, 0, 0, 10, 10, NULL, NULL,
                                  instance, NULL);
    if (window == NULL)
        return 0;
    NoteClaimedWindow(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    int exitCode = RunMessageLoop(window);
    ReleaseFolder();
    return exitCode;
}
