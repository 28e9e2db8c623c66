// The back buffer, the two fonts, and painting the strip and the list.
#include "display/painting_win32.h"

#include "base/font_charset_win32.h"
#include "base/pixel_scale.h"
#include "base/shell_state.h"
#include "display/geometry.h"
#include "display/window_scale_win32.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

HDC backBuffer = NULL;
HFONT taskFont = NULL;
HFONT previewFont = NULL;
static HBITMAP backBitmap = NULL;
static int bufferWidth = 0; // the screen's size when the buffer was made
static int bufferHeight = 0;

enum { PREVIEW_FONT_HEIGHT = 12 };

// `height` is at 100%: the font is made at the window's scale.
static HFONT MakeFont(int height, int weight, const char* face)
{
    return CreateFontA(ScalePixels(height, windowDpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                       SystemCharset(), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
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
    previewFont = MakeFont(PREVIEW_FONT_HEIGHT, 400, "Arial");
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

static void WriteName(const StripSizes& sizes, int row, const char* name)
{
    TextOutA(backBuffer, sizes.textLeft, RowBand(row, sizes.rows).top, name, lstrlenA(name));
}

static void DrawList(const StripSizes& sizes, int clientWidth, int fy, HPEN textPen,
                     HBRUSH textBrush)
{
    Rectangle(backBuffer, 0, 0, clientWidth, ListOuterHeight(lastRow, sizes.rows) - 2 * fy);
    SelectObject(backBuffer, textPen);
    SelectObject(backBuffer, textBrush);
    RowSpan bar = RowBand(selectedRow, sizes.rows);
    Rectangle(backBuffer, sizes.frame, bar.top, clientWidth - sizes.frame, bar.bottom);
    SelectObject(backBuffer, taskFont);
    for (int row = 0; row <= lastRow; ++row) {
        COLORREF colour = row == 0 ? Text2Colour()
                                   : (row == selectedRow ? BackColour() : Text1Colour());
        SetTextColor(backBuffer, colour);
        WriteName(sizes, row, TaskTable[row]);
    }
}

static void DrawStrip(const StripSizes& sizes, int clientWidth, int fy)
{
    Rectangle(backBuffer, 0, 0, clientWidth, sizes.outerHeight - 2 * fy);
    SelectObject(backBuffer, taskFont);
    SetTextColor(backBuffer, current_task == 0 ? Text2Colour() : Text1Colour());
    if (IsSlotIndex(current_task))
        WriteName(sizes, 0, TaskTable[current_task]);
}

LRESULT PaintMainWindow(HWND window)
{
    PAINTSTRUCT paint;
    HDC target = BeginPaint(window, &paint);
    StripSizes sizes = CurrentSizes();
    // Inside the rectangle it outlines, however wide the scale makes it.
    HPEN framePen = CreatePen(PS_INSIDEFRAME, sizes.frame, SettingsColour(COLOUR_RECT));
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
        DrawList(sizes, clientWidth, fy, textPen, textBrush);
    else
        DrawStrip(sizes, clientWidth, fy);

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

void RecreateFonts()
{
    RecreateTaskFont();
    HFONT earlier = previewFont;
    previewFont = MakeFont(PREVIEW_FONT_HEIGHT, 400, "Arial");
    DeleteObject(earlier);
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
