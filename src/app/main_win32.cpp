// Process entry: the window class, the one main window and the message loop.
#include <windows.h>

#include "app/main_window_win32.h"
#include "app/single_instance_win32.h"
#include "app/window_procedure_win32.h"
#include "base/modal_dialog_win32.h"
#include "display/window_placement_win32.h"
#include "res/resource.h"

static const char kClassName[] = "Quernbox";

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
    // The tray's size at the system's scale, from the image of that size: never stretched.
    appIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_VORNET), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON),
                                            GetSystemMetrics(SM_CYSMICON), LR_SHARED));
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
