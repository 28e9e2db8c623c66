// The program's resources, linked into this test as into the program: each one loads, every
// command its menus and keys send has a route, and the manifest asks for no elevation.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/window_procedure_win32.h"
#include "res/resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(NULL); }

// The menus and the keys load in the test of their commands.
TEST(Resources, TheIconAndEveryDialogLoad)
{
    EXPECT_NE(static_cast<HICON>(NULL), LoadIconA(Module(), MAKEINTRESOURCEA(IDI_VORNET)));
    for (int dialog : {IDD_VERSION, IDD_EDIT_TASK, IDD_PROPERTIES, IDD_BACKDATED})
        EXPECT_NE(static_cast<HRSRC>(NULL), FindResourceA(Module(), MAKEINTRESOURCEA(dialog), RT_DIALOG))
            << dialog;
}

TEST(Resources, EveryCommandOfTheMenusAndKeysHasARoute)
{
    int commands = 0;
    for (int menu : {IDR_MENU_LIST, IDR_MENU_STRIP}) {
        HMENU loaded = LoadMenuA(Module(), MAKEINTRESOURCEA(menu));
        HMENU popup = GetSubMenu(loaded, 0);
        ASSERT_NE(static_cast<HMENU>(NULL), popup) << menu;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            UINT id = GetMenuItemID(popup, i);
            if (id == 0) // a separator
                continue;
            EXPECT_TRUE(HasCommandRoute(static_cast<WORD>(id))) << id;
            ++commands;
        }
        DestroyMenu(loaded);
    }
    HACCEL keys = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ASSERT_NE(static_cast<HACCEL>(NULL), keys);
    ACCEL table[16];
    int count = CopyAcceleratorTableA(keys, table, 16);
    EXPECT_GT(count, 0);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(HasCommandRoute(table[i].cmd)) << table[i].cmd;
    EXPECT_GT(commands, 0);
    EXPECT_FALSE(HasCommandRoute(40001));
}

TEST(Resources, TheManifestAsksToRunAsInvokerWithoutUiAccess)
{
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_MANIFEST), MAKEINTRESOURCEA(24));
    ASSERT_NE(static_cast<HRSRC>(NULL), found);
    const char* text = static_cast<const char*>(LockResource(LoadResource(Module(), found)));
    std::string manifest(text, SizeofResource(Module(), found));
    EXPECT_NE(std::string::npos, manifest.find("level=\"asInvoker\""));
    EXPECT_NE(std::string::npos, manifest.find("uiAccess=\"false\""));
}

} // namespace
