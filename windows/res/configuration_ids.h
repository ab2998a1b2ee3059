// Control IDs of the configuration layout.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)  // labels and other controls nothing refers to
#endif

#define IDC_CONF_SSID 1011
#define IDC_CONF_BSS_TYPE 1028
#define IDC_CONF_CHANNEL 1029
#define IDC_CONF_TX_RATE 1030
#define IDC_CONF_PREAMBLE 1031
#define IDC_CONF_POWER_MODE 1032
#define IDC_CONF_APPLY 1027
#define IDC_CONF_CANCEL 1033
