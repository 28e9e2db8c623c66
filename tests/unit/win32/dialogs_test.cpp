// The dialogs loaded from the program's own resources and run by their own procedures, each
// looked at and answered from inside its modal loop, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "base/modal_dialog_win32.h"
#include "base/shell_state.h"
#include "properties/properties_dialog_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/backdated_change_dialog_win32.h"
#include "tasks/edit_task_dialog_win32.h"
#include "tasks/task_table.h"
#include "tasks/running_period.h"

namespace {

HWND owner = NULL;
std::function<void(HWND dialog)> whenOpen;
int looked = 0;

BOOL CALLBACK FindDialog(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK LookAtDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = NULL;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == NULL)
        return; // not open yet: the timer comes again
    KillTimer(NULL, timer);
    looked = 1;
    whenOpen(dialog);
}

// `look` runs on the dialog once its modal loop runs; it must end the dialog.
void WhenOpen(std::function<void(HWND dialog)> look)
{
    whenOpen = look;
    looked = 0;
    SetTimer(NULL, 0, 1, LookAtDialog);
}

std::string Text(HWND dialog, int id)
{
    char text[4096] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// The dialog's tab stops in order, each by what a screen reader calls it under the rule of
// MSAA: a button's own text, else the static text before it unless a control that starts a
// tab group stands between. (Wine's oleacc follows the rule for edit fields only.)
std::vector<std::string> SpokenFields(HWND dialog)
{
    std::vector<std::string> spoken;
    std::string label;
    for (HWND w = GetWindow(dialog, GW_CHILD); w != NULL; w = GetWindow(w, GW_HWNDNEXT)) {
        char kind[32] = "", text[256] = "";
        GetClassNameA(w, kind, sizeof kind);
        GetWindowTextA(w, text, sizeof text);
        LONG style = GetWindowLongA(w, GWL_STYLE);
        if (lstrcmpiA(kind, "Static") == 0)
            label = text;
        else if (style & WS_TABSTOP)
            spoken.push_back(lstrcmpiA(kind, "Button") == 0 ? text : label);
        if ((style & (WS_GROUP | WS_TABSTOP)) == (WS_GROUP | WS_TABSTOP))
            label.clear();
    }
    return spoken;
}

void Press(HWND dialog, int button)
{
    SendMessageA(dialog, WM_COMMAND, button, 0);
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        appInstance = GetModuleHandleA(NULL);
        owner = CreateWindowExA(0, "Static", "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                appInstance, NULL);
        MeasureScreen();
        SetDefaultSettings();
        SetTaskName(0, "Break");
        SetTaskName(1, "Alpha");
        SetTaskName(2, "Beta");
        lastRow = 3;
        dialogOpen = 0;
    }
    void TearDown() override
    {
        EXPECT_EQ(1, looked) << "the dialog never opened";
        EXPECT_EQ(0, dialogOpen);
        DestroyWindow(owner);
    }
};

TEST_F(Dialogs, EditTaskShowsTheRowsNameAndKeepsAtMost1023BytesOfTheNewOne)
{
    selectedRow = 2;
    WhenOpen([](HWND dialog) {
        EXPECT_EQ("Beta", Text(dialog, IDC_TASK_NAME));
        EXPECT_EQ((std::vector<std::string>{"Task name", "OK", "Cancel"}), SpokenFields(dialog));
        SetDlgItemTextA(dialog, IDC_TASK_NAME, std::string(1500, 'x').c_str());
        Press(dialog, IDOK);
    });
    RunEditTaskDialog(owner);
    EXPECT_EQ(std::string(1023, 'x'), TaskTable[2]);
}

TEST_F(Dialogs, PropertiesShowTheSettingsAndOkStoresWhatWasChanged)
{
    Settings.fsize = 30;
    Settings.ftype = 700;
    HFONT preview = CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    WhenOpen([](HWND dialog) {
        EXPECT_EQ("30", Text(dialog, IDC_FONT_SIZE));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_BOLD));
        EXPECT_EQ("R 0", Text(dialog, IDC_RED_BOX));
        EXPECT_EQ((std::vector<std::string>{"Face", "bold", "Size", "Always front", "Transparent", "Back",
                                            "Red", "Green", "Blue", "Hotkey", "OK", "Cancel"}),
                  SpokenFields(dialog));
        // The faces of the system's character set, each once: the default among them.
        std::set<std::string> offered;
        LRESULT faces = SendDlgItemMessageA(dialog, IDC_FONT_LIST, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < faces; ++i) {
            char face[LF_FACESIZE] = "";
            SendDlgItemMessageA(dialog, IDC_FONT_LIST, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(face));
            EXPECT_NE('@', face[0]) << face;
            EXPECT_TRUE(offered.insert(face).second) << face;
        }
        EXPECT_EQ(1u, offered.count("Arial"));
        char chosen[LF_FACESIZE] = "";
        GetDlgItemTextA(dialog, IDC_FONT_LIST, chosen, sizeof chosen);
        EXPECT_STREQ("Arial", chosen);
        SetDlgItemTextA(dialog, IDC_FONT_SIZE, "40");
        CheckDlgButton(dialog, IDC_BOLD, BST_UNCHECKED);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(1, RunPropertiesDialog(owner, &preview));
    EXPECT_EQ(40, Settings.fsize);
    EXPECT_EQ(400, Settings.ftype);
    DeleteObject(preview);
}

TEST_F(Dialogs, TheTimeBackStartsAtTheOpeningMomentAndOkSwitchesThen)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    firstSwitchPending = 1; // the switch then touches no file
    StartRunningTask();
    runningTaskStart = LocalTime{2016, 1, 0, 1, 0, 0, 0, 0};
    selectedRow = 1;
    current_task = 0;
    WhenOpen([now](HWND dialog) {
        EXPECT_EQ("Break", Text(dialog, IDC_LAST_TASK_NAME));
        EXPECT_EQ("Alpha", Text(dialog, IDC_NEW_TASK_NAME));
        EXPECT_EQ("2016/01/01 00:00:00", Text(dialog, IDC_LAST_TASK_START));
        EXPECT_EQ(std::to_string(now.wYear), Text(dialog, IDC_YEAR));
        EXPECT_EQ(GetDlgItem(dialog, IDC_MINUTE), GetFocus());
        EXPECT_EQ((std::vector<std::string>{"Last task:", "Start time", "New task:", "Year", "Month", "Day",
                                            "Hour", "Minute", "Second", "OK", "Cancel"}),
                  SpokenFields(dialog));
        Press(dialog, IDOK);
    });
    RunBackdatedChange(owner);
    EXPECT_EQ(1, current_task);
    EXPECT_EQ(0, useBackdatedTime);
}

} // namespace
