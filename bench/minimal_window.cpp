// The floor that tools/bench measures Vornet against: a plain layered popup window that
// paints one framed rectangle, built with Vornet's own flags (release, static, -mwindows,
// stripped). It draws the same first pixel as Vornet's strip (the 192,192,192 frame at the
// client's top-left corner) and ends on WM_CLOSE.
#include <windows.h>

static LRESULT CALLBACK MinimalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
        HGDIOBJ earlierPen = SelectObject(dc, pen);
        HGDIOBJ earlierBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
        Rectangle(dc, 0, 0, client.right, client.bottom);
        SelectObject(dc, earlierPen);
        SelectObject(dc, earlierBrush);
        DeleteObject(pen);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MinimalWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "VornetBenchMinimal";
    if (!RegisterClassExA(&windowClass))
        return 1;
    // Where and how large Vornet's strip is on a first run: the screen's middle, at the top.
    int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    HWND window = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "VornetBenchMinimal",
                                  "Minimal", WS_POPUP, x, 0, 60, 24, NULL, NULL, instance, NULL);
    if (window == NULL)
        return 1;
    SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
