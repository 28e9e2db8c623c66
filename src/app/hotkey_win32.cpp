// The global hotkey: from any program it opens the list with the keyboard in it, and the
// list gives the keyboard back when it closes. The system holds the key for us: nothing runs
// while it is not pressed.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "app/hotkey_win32.h"

#include "base/shell_state.h"
#include "base/text_builder.h"
#include "display/accessible_strip_win32.h"
#include "display/window_placement_win32.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

namespace {

const int kHotkeyId = 1;
int registered = 0; // the hotkey the system holds for us, 0 for none
int told = 0;       // the last hotkey whose refusal the user was told
HWND keyboardOwner = NULL; // had the keyboard when the hotkey opened the list

// The hotkey control's Shift, Ctrl and Alt, in the order it names them.
const struct {
    int control;
    UINT system;
    const char* name;
} kModifiers[] = {
    {HOTKEYF_CONTROL, MOD_CONTROL, "Ctrl+"},
    {HOTKEYF_SHIFT, MOD_SHIFT, "Shift+"},
    {HOTKEYF_ALT, MOD_ALT, "Alt+"},
};

UINT SystemModifiers(int hotkey)
{
    UINT modifiers = MOD_NOREPEAT; // a key held down opens the list once
    for (const auto& m : kModifiers)
        modifiers |= (hotkey >> 8 & m.control) ? m.system : 0;
    return modifiers;
}

void TellTaken(HWND window, int hotkey)
{
    char text[256];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "The hotkey ");
    for (const auto& m : kModifiers) {
        if (hotkey >> 8 & m.control)
            AppendText(&b, m.name);
    }
    char key[64] = "";
    LONG scan = static_cast<LONG>(MapVirtualKeyA(hotkey & 0xFF, MAPVK_VK_TO_VSC)) << 16;
    GetKeyNameTextA(scan | ((hotkey >> 8 & HOTKEYF_EXT) ? 1 << 24 : 0), key, sizeof key);
    AppendText(&b, key);
    AppendText(&b, " is held by another program, so Vornet works without it. Another one can "
                   "be chosen in Properties.");
    TellUser(window, text, "Warning", MESSAGE_WARNING);
}

} // namespace

void FollowHotkeySetting(HWND window)
{
    int wanted = (Settings.hotkey & 0xFF) != 0 ? Settings.hotkey : 0; // no key: no hotkey
    if (wanted == registered)
        return;
    if (registered != 0)
        UnregisterHotKey(window, kHotkeyId);
    registered = 0;
    if (wanted == 0)
        return;
    if (RegisterHotKey(window, kHotkeyId, SystemModifiers(wanted), wanted & 0xFF)) {
        registered = wanted;
    } else if (wanted != told) { // tried again after Properties, told once
        told = wanted;
        TellTaken(window, wanted);
    }
}

void OpenListFromKeyboard(HWND window)
{
    if (dialogOpen) { // the list waits for the dialog or box, which comes to the front
        SetForegroundWindow(GetLastActivePopup(window));
        return;
    }
    HWND previous = GetForegroundWindow();
    if (previous != window)
        keyboardOwner = previous;
    selectedRow = std::clamp(current_task, 0, lastRow); // the running task's row
    ExpandList(window); // in front, with the keyboard
    AnnounceSelectedRow(window);
}

void GiveKeyboardBack()
{
    HWND owner = keyboardOwner;
    keyboardOwner = NULL;
    if (owner != NULL && IsWindow(owner))
        SetForegroundWindow(owner);
}
