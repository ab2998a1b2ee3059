// Control IDs of the link info layout.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)  // labels and other controls nothing refers to
#endif

#define IDC_LINK_STATUS 1010
#define IDC_LINK_SSID 1011
#define IDC_LINK_CHANNEL 1012
#define IDC_LINK_TX_RATE 1013
#define IDC_LINK_RADIO 1055
#define IDC_LINK_QUALITY_GROUP 1014
#define IDC_LINK_QUALITY_BAR 1002
#define IDC_LINK_QUALITY_TEXT 1045
#define IDC_LINK_SIGNAL_BAR 1003
#define IDC_LINK_SIGNAL_TEXT 1046
#define IDC_LINK_DATA_GROUP 1004
#define IDC_LINK_TRANSMIT 1018
#define IDC_LINK_RECEIVE 1019
#define IDC_LINK_TRANSMIT_CHART 1041
#define IDC_LINK_RECEIVE_CHART 1042
// The chart scale, top to bottom: "10000", "1000", "100", "10", "0".
#define IDC_LINK_SCALE_10000 1009
#define IDC_LINK_SCALE_1000 1008
#define IDC_LINK_SCALE_100 1007
#define IDC_LINK_SCALE_10 1006
#define IDC_LINK_SCALE_0 1005
