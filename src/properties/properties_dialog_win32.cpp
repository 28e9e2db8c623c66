#include <windows.h>

#include "app/app_win32.h"
#include "display/display_win32.h"

void RunPropertiesCommand(HWND window)
{
    CollapseList(window);
}
