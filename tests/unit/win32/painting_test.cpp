// Painting and placing a real window in this process: no GDI object may be left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include "display/window_placement_win32.h"
#include "base/shell_state.h"
#include "display/painting_win32.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        return PaintMainWindow(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

// Objects alive in this process. Where the system does not count them (GetGuiResources
// answers 0 under some implementations), the highest slot a burst of new pens takes stands
// in: handles come from a free list, so it grows only when objects are left alive.
long GdiLoad()
{
    DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0)
        return static_cast<long>(counted);
    HPEN pens[64];
    long highest = 0;
    for (HPEN& pen : pens) {
        pen = CreatePen(PS_SOLID, 1, 0);
        long slot = static_cast<long>(reinterpret_cast<ULONG_PTR>(pen) & 0xffff);
        highest = slot > highest ? slot : highest;
    }
    for (HPEN pen : pens)
        DeleteObject(pen);
    return highest;
}

class PaintingTest : public ::testing::Test {
protected:
    HWND window = NULL;

    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = "PaintingTest";
        RegisterClassA(&windowClass);
        screenWidth = GetSystemMetrics(SM_CXSCREEN);
        screenHeight = GetSystemMetrics(SM_CYSCREEN);
        SetDefaultSettings();
        SetTaskName(0, "Break");
        SetTaskName(1, "Alpha");
        SetTaskName(2, "Beta");
        lastRow = 3;
        window = CreateWindowExA(WS_EX_TOOLWINDOW, "PaintingTest", "Vornet test",
                                 WS_POPUP | WS_DLGFRAME, 0, 0, 10, 10, NULL, NULL,
                                 GetModuleHandleA(NULL), NULL);
        ASSERT_NE(static_cast<HWND>(NULL), window);
        CreateBackBufferAndFonts(window);
        PlaceInitialStrip(window);
        ShowWindow(window, SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        ReleaseDrawingResources();
        DestroyWindow(window);
    }
    void PaintNow()
    {
        InvalidateRect(window, NULL, FALSE);
        UpdateWindow(window);
    }
};

TEST_F(PaintingTest, PaintsPlacementsAndNewFontsLeaveNoObjectBehind)
{
    ExpandList(window);
    CollapseList(window);
    PaintNow();
    long before = GdiLoad();
    for (int i = 0; i < 600; ++i) {
        listOpen = i % 2;
        selectedRow = i % 4;
        current_task = i % 3;
        PaintNow();
        if (i % 3 == 0) {
            ExpandList(window);
            Settings.fsize = 12 + i % 20;
            RecreateFonts();
            CollapseList(window);
        }
    }
    EXPECT_LE(GdiLoad(), before + 8);
}

} // namespace
