// The program's icons, drawn by code so they stay sharp at every tray size: four bars of
// rising height, empty, crossed out, or one to four filled green or yellow. The resource
// numbers name them.
#pragma once

#include <QIcon>
#include <QImage>

namespace nv {

inline constexpr int kIconApplication = 128;
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48};

// Every resource number the program uses.
inline constexpr int kIconResources[] = {128, 132, 133, 134, 135, 136, 153, 157, 158, 159, 160};

QImage DrawIcon(int resource, int size);
QIcon MakeIcon(int resource);  // all sizes
// The installed theme icon "wlanmon-N" when there is one (its name is what a D-Bus tray
// asks the desktop for), else the drawn pictures.
QIcon TrayIcon(int resource);

}  // namespace nv
