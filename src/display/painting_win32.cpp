// The back buffer, the two fonts, and painting the strip and the list.
#include "display/painting_win32.h"

#include "base/shell_state.h"
#include "base/font_charset_win32.h"
#include "display/geometry.h"
#include "display/window_placement_win32.h"
#include "settings/list_fit.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

HDC backBuffer = NULL;
HFONT taskFont = NULL;
HFONT previewFont = NULL;
static HBITMAP backBitmap = NULL;
static int bufferWidth = 0; // the screen's size when the buffer was made
static int bufferHeight = 0;

static HFONT MakeFont(int height, int weight, const char* face)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SystemCharset(),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, face);
}

// A bitmap as large as the screen, selected into the buffer; the one it replaces is deleted.
static void MakeBackBitmap(HDC windowDc)
{
    HBITMAP earlier = backBitmap;
    backBitmap = CreateCompatibleBitmap(windowDc, screenWidth, screenHeight);
    SelectObject(backBuffer, backBitmap);
    if (earlier != NULL)
        DeleteObject(earlier);
    bufferWidth = screenWidth;
    bufferHeight = screenHeight;
    PatBlt(backBuffer, 0, 0, screenWidth, screenHeight, PATCOPY);
}

void CreateBackBufferAndFonts(HWND window)
{
    HDC windowDc = GetDC(window);
    backBuffer = CreateCompatibleDC(windowDc);
    taskFont = MakeFont(Settings.fsize, Settings.ftype, Settings.fontface);
    previewFont = MakeFont(12, 400, "Arial");
    MakeBackBitmap(windowDc);
    ReleaseDC(window, windowDc);
    SetBkMode(backBuffer, TRANSPARENT);
    SetTextAlign(backBuffer, 0);
}

void GrowBackBuffer(HWND window)
{
    if (screenWidth <= bufferWidth && screenHeight <= bufferHeight)
        return;
    HDC windowDc = GetDC(window);
    MakeBackBitmap(windowDc);
    ReleaseDC(window, windowDc);
}

static COLORREF BackColour()
{
    return SettingsColour(COLOUR_BACK);
}
static COLORREF Text1Colour()
{
    return SettingsColour(COLOUR_TEXT1);
}
static COLORREF Text2Colour()
{
    return SettingsColour(COLOUR_TEXT2);
}

static void WriteName(int y, const char* name)
{
    TextOutA(backBuffer, 5, y, name, lstrlenA(name));
}

static void DrawList(int clientWidth, int fy, HPEN textPen, HBRUSH textBrush)
{
    int fsize = Settings.fsize;
    Rectangle(backBuffer, 0, 0, clientWidth, ListOuterHeight(lastRow, fsize) - 2 * fy);
    SelectObject(backBuffer, textPen);
    SelectObject(backBuffer, textBrush);
    PixelRect bar = RowBand(selectedRow, fsize);
    Rectangle(backBuffer, 1, bar.top, clientWidth - 1, bar.bottom);
    SelectObject(backBuffer, taskFont);
    for (int row = 0; row <= lastRow; ++row) {
        COLORREF colour = row == 0 ? Text2Colour()
                                   : (row == selectedRow ? BackColour() : Text1Colour());
        SetTextColor(backBuffer, colour);
        WriteName(RowBand(row, fsize).top, TaskTable[row]);
    }
}

static void DrawStrip(int clientWidth, int fy)
{
    Rectangle(backBuffer, 0, 0, clientWidth, StripOuterHeight(Settings.fsize) - 2 * fy);
    SelectObject(backBuffer, taskFont);
    SetTextColor(backBuffer, current_task == 0 ? Text2Colour() : Text1Colour());
    if (IsSlotIndex(current_task))
        WriteName(3, TaskTable[current_task]);
}

LRESULT PaintMainWindow(HWND window)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    HPEN framePen = CreatePen(PS_SOLID, 1, SettingsColour(COLOUR_RECT));
    HBRUSH backBrush = CreateSolidBrush(BackColour());
    HPEN textPen = CreatePen(PS_SOLID, 1, Text1Colour());
    HBRUSH textBrush = CreateSolidBrush(Text1Colour());
    // The buffer's own pen and brush go back before ours are deleted.
    HGDIOBJ earlierPen = SelectObject(backBuffer, framePen);
    HGDIOBJ earlierBrush = SelectObject(backBuffer, backBrush);

    int fx, fy;
    ReadFrameMetrics(&fx, &fy);
    int clientWidth = windowWidth - 2 * fx;
    if (listOpen != 0)
        DrawList(clientWidth, fy, textPen, textBrush);
    else
        DrawStrip(clientWidth, fy);

    SelectObject(backBuffer, earlierPen);
    SelectObject(backBuffer, earlierBrush);
    DeleteObject(framePen);
    DeleteObject(backBrush);
    DeleteObject(textPen);
    DeleteObject(textBrush);
    const RECT& r = paint.rcPaint;
    BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, backBuffer, r.left, r.top,
           SRCCOPY);
    EndPaint(window, &paint);
    return 0;
}

void Repaint(HWND window)
{
    InvalidateRect(window, NULL, FALSE);
}

void RecreateTaskFont()
{
    SelectObject(backBuffer, previewFont);
    DeleteObject(taskFont);
    taskFont = MakeFont(Settings.fsize, Settings.ftype, Settings.fontface);
    SelectObject(backBuffer, taskFont);
}

void ReleaseDrawingResources()
{
    DeleteDC(backBuffer);
    DeleteObject(backBitmap);
    DeleteObject(taskFont);
    DeleteObject(previewFont);
    backBuffer = NULL;
    backBitmap = NULL;
    bufferWidth = bufferHeight = 0;
    taskFont = previewFont = NULL;
}
