#include "display/window_scale_win32.h"

#include "base/library_entry_win32.h"
#include "base/pixel_scale.h"

namespace {

typedef UINT(WINAPI* DpiForWindowFunction)(HWND);
typedef HRESULT(WINAPI* DpiForMonitorFunction)(HMONITOR, int, UINT*, UINT*);
typedef int(WINAPI* MetricsForDpiFunction)(int, UINT);

const int MONITOR_EFFECTIVE_DPI = 0; // MDT_EFFECTIVE_DPI

HMODULE user32 = NULL;
HMODULE shcore = NULL; // loaded only on a system without GetDpiForWindow (Windows 8.1)
MetricsForDpiFunction metricsForDpi = NULL;
int metricsLookedUp = 0;

int MonitorDpi(HWND window)
{
    DpiForMonitorFunction dpiForMonitor =
        LibraryFunction<DpiForMonitorFunction>(&shcore, "shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    return dpiForMonitor != NULL && dpiForMonitor(monitor, MONITOR_EFFECTIVE_DPI, &x, &y) == S_OK
               ? static_cast<int>(y) : 0;
}

int ScreenDpi()
{
    HDC screen = GetDC(NULL);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(NULL, screen);
    return dpi;
}

} // namespace

int ReadWindowDpi(HWND window)
{
    DpiForWindowFunction dpiForWindow =
        LibraryFunction<DpiForWindowFunction>(&user32, "user32.dll", "GetDpiForWindow");
    int dpi = dpiForWindow != NULL ? static_cast<int>(dpiForWindow(window)) : MonitorDpi(window);
    return dpi > 0 ? dpi : ScreenDpi();
}

void ReadFrameMetrics(int* fx, int* fy)
{
    // Looked up once: the frame is read at every paint and placement.
    if (!metricsLookedUp) {
        metricsForDpi = LibraryFunction<MetricsForDpiFunction>(&user32, "user32.dll",
                                                               "GetSystemMetricsForDpi");
        metricsLookedUp = 1;
    }
    // Without it (before Windows 10) the system draws every frame at the system's scale.
    UINT dpi = static_cast<UINT>(windowDpi);
    *fx = metricsForDpi != NULL ? metricsForDpi(SM_CXDLGFRAME, dpi)
                                : GetSystemMetrics(SM_CXDLGFRAME);
    *fy = metricsForDpi != NULL ? metricsForDpi(SM_CYDLGFRAME, dpi)
                                : GetSystemMetrics(SM_CYDLGFRAME);
}
