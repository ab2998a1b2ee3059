// Resource numbers of the Windows program: the layouts, icons, cursor, bitmap and picture, and
// the main window's controls. Each page's control IDs are in its own header beside this one.
#pragma once

// Icons: 128 is the program's; the tray's bars are 132..136, 153 and 157..160.
#define IDI_PROGRAM 128
#define IDI_BARS_GOOD_1 132
#define IDI_BARS_GOOD_4 133
#define IDI_BARS_GOOD_3 134
#define IDI_BARS_GOOD_2 135
#define IDI_BARS_EMPTY 136
#define IDI_BARS_NO_CARD 153
#define IDI_BARS_POOR_1 157
#define IDI_BARS_POOR_2 158
#define IDI_BARS_POOR_3 159
#define IDI_BARS_POOR_4 160

#define IDC_HAND_CURSOR 142  // cursor resource
#define IDB_LIST_IMAGES 155  // the Site Survey lists' eight pictures, 128 x 16
#define IDR_ABOUT_GIF 150    // resource type "GIF"

// Layouts.
#define IDD_CONFIG 137
#define IDD_LINK_INFO 138
#define IDD_CONFIGURATION 139
#define IDD_SITE_SURVEY 141
#define IDD_ABOUT 142
#define IDD_SECURITY 145
#define IDD_PROFILE 146

// The main window: the frame the pages live in and the five page labels.
#define IDC_PAGE_FRAME 1000
#define IDC_LABEL_LINK_INFO 1039
#define IDC_LABEL_CONFIGURATION 1040
#define IDC_LABEL_SECURITY 1041
#define IDC_LABEL_SITE_SURVEY 1042
#define IDC_LABEL_ABOUT 1043

// The tray menu.
#define IDM_NOTIFY 2022
#define IDM_OPEN 2023
#define IDM_EXIT 2024
