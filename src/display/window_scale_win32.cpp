#include "display/window_scale_win32.h"

#include "base/pixel_scale.h"

namespace {

typedef UINT(WINAPI* DpiForWindowFunction)(HWND);
typedef HRESULT(WINAPI* DpiForMonitorFunction)(HMONITOR, int, UINT*, UINT*);
typedef int(WINAPI* MetricsForDpiFunction)(int, UINT);

const int MONITOR_EFFECTIVE_DPI = 0; // MDT_EFFECTIVE_DPI

MetricsForDpiFunction metricsForDpi = NULL;
int metricsLookedUp = 0;

FARPROC User32Entry(const char* name)
{
    return GetProcAddress(GetModuleHandleA("user32.dll"), name);
}

// Windows 8.1's way; shcore.dll is loaded only on a system without GetDpiForWindow.
int MonitorDpi(HWND window)
{
    HMODULE shcore = LoadLibraryA("shcore.dll");
    DpiForMonitorFunction dpiForMonitor =
        shcore != NULL ? reinterpret_cast<DpiForMonitorFunction>(
                             reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                       : NULL;
    UINT x = 0, y = 0;
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    int dpi = dpiForMonitor != NULL && dpiForMonitor(monitor, MONITOR_EFFECTIVE_DPI, &x, &y) == S_OK
                  ? static_cast<int>(y) : 0;
    if (shcore != NULL)
        FreeLibrary(shcore);
    return dpi;
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
    DpiForWindowFunction dpiForWindow = reinterpret_cast<DpiForWindowFunction>(
        reinterpret_cast<void*>(User32Entry("GetDpiForWindow")));
    int dpi = dpiForWindow != NULL ? static_cast<int>(dpiForWindow(window)) : MonitorDpi(window);
    return dpi > 0 ? dpi : ScreenDpi();
}

void ReadFrameMetrics(int* fx, int* fy)
{
    // Looked up once: the frame is read at every paint and placement.
    if (!metricsLookedUp) {
        metricsForDpi = reinterpret_cast<MetricsForDpiFunction>(
            reinterpret_cast<void*>(User32Entry("GetSystemMetricsForDpi")));
        metricsLookedUp = 1;
    }
    // Without it (before Windows 10) the system draws every frame at the system's scale.
    UINT dpi = static_cast<UINT>(windowDpi);
    *fx = metricsForDpi != NULL ? metricsForDpi(SM_CXDLGFRAME, dpi)
                                : GetSystemMetrics(SM_CXDLGFRAME);
    *fy = metricsForDpi != NULL ? metricsForDpi(SM_CYDLGFRAME, dpi)
                                : GetSystemMetrics(SM_CYDLGFRAME);
}
