// Resource ids of Vornet. Plain #defines only: this header is read by the resource
// compilers (windres, rc) as well as by the C++ sources.
#ifndef VORNET_RES_RESOURCE_H
#define VORNET_RES_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Application manifest; the loader only looks at this id (CREATEPROCESS_MANIFEST_RESOURCE_ID).
#define IDR_MANIFEST 1

// Icon: class icon, small icon and tray icon. The tray icon's own id is the same number.
#define IDI_VORNET 111

// Menus: each holds one pop-up, "Menu", whose items are the context menu shown.
#define IDR_MENU_LIST 105  // while the list is open
#define IDR_MENU_STRIP 106 // while only the strip shows

#define IDR_ACCELERATORS 107

// Dialogs.
#define IDD_VERSION 101
#define IDD_EDIT_TASK 109
#define IDD_PROPERTIES 112
#define IDD_BACKDATED 113

// Commands, from the menus and the accelerators.
#define IDM_VERSION 40002
#define IDM_SWITCH_KEEP_OPEN 40004 // Ctrl+C: switch, the list stays open
#define IDM_CLOSE_LIST 40007
#define IDM_EXIT 40008
#define IDM_DELETE_TASK 40010 // also the Delete key
#define IDM_SWITCH 40012      // Enter: switch and close the list
#define IDM_ESCAPE 40013      // Esc: close the list
#define IDM_SORT 40015
#define IDM_EDIT_TASK 40018
#define IDM_PROPERTIES 40020
#define IDM_BACKDATED 40022
#define IDM_START_WITH_WINDOWS 40024 // checked while our Startup shortcut is there

// Edit task dialog (IDD_EDIT_TASK).
#define IDC_TASK_NAME 1000

// Back-dated change dialog (IDD_BACKDATED).
#define IDC_LAST_TASK_NAME 1023
#define IDC_LAST_TASK_START 1024
#define IDC_HOUR 1027
#define IDC_MINUTE 1028
#define IDC_SECOND 1029
#define IDC_NEW_TASK_NAME 1030
#define IDC_YEAR 1031
#define IDC_MONTH 1032
#define IDC_DAY 1033
// Up-down controls made at run time. Each id is given to two of them (the date's and the
// time's); nothing looks them up by id, so the clash is harmless.
#define IDC_UPDOWN_YEAR_HOUR 112
#define IDC_UPDOWN_MONTH_MINUTE 113
#define IDC_UPDOWN_DAY_SECOND 114

// Properties dialog (IDD_PROPERTIES).
#define IDC_FONT_LIST 1002
#define IDC_BOLD 1018
#define IDC_FONT_SIZE 1019
#define IDC_ALWAYS_FRONT 1020
#define IDC_OPACITY_BAR 1021
#define IDC_GROUP_BACK 1008  // radio buttons choosing the colour the bars edit
#define IDC_GROUP_TEXT1 1009
#define IDC_GROUP_TEXT2 1010
#define IDC_GROUP_FRAME 1011
#define IDC_RED_BOX 1015 // read-only "R %d" boxes beside the bars
#define IDC_GREEN_BOX 1016
#define IDC_BLUE_BOX 1017
#define IDC_RED_BAR 1005
#define IDC_GREEN_BAR 1006
#define IDC_BLUE_BAR 1007
#define IDC_UPDOWN_FONT_SIZE 111 // made at run time, buddy of IDC_FONT_SIZE
#define IDC_HOTKEY 1034          // the hotkey that opens the list from any program

#endif
