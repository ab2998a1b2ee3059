// Control IDs of the about layout.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)  // labels and other controls nothing refers to
#endif

#define IDC_ABOUT_PICTURE 1040
#define IDC_ABOUT_VERSION_GROUP 1042
#define IDC_ABOUT_DRIVER 1022
#define IDC_ABOUT_FIRMWARE 1023
#define IDC_ABOUT_UTILITY 1024
// The title static: an ID of its own only so that the page can give it a bold face.
#define IDC_ABOUT_TITLE 1050
