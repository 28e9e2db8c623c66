// The program's resources, linked into this test as into the program: the icon loads, every
// command its menus and keys send has a route.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/command_table_win32.h"
#include "res/resource.h"

namespace {

HINSTANCE Module() { return GetModuleHandleA(NULL); }

// The dialogs load in the tests of their own; the menus and the keys in the test of their
// commands.
TEST(Resources, TheIconLoads)
{
    EXPECT_NE(static_cast<HICON>(NULL), LoadIconA(Module(), MAKEINTRESOURCEA(IDI_VORNET)));
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

} // namespace
