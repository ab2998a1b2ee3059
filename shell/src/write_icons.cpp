// Build helper: writes the drawn icons as PNG files in hicolor theme folders under a root.
#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "shell/icons.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: wlanmon_icons ROOT\n", stderr);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (int size : nv::kIconSizes) {
    const QString dir = QStringLiteral("%1/%2x%2/").arg(root).arg(size);
    if (!QDir().mkpath(dir + QStringLiteral("apps")) ||
        !QDir().mkpath(dir + QStringLiteral("status"))) {
      return 1;
    }
    bool ok =
        nv::DrawIcon(nv::kIconApplication, size).save(dir + QStringLiteral("apps/wlanmon.png"));
    for (int resource : nv::kIconResources) {
      ok = ok && nv::DrawIcon(resource, size)
                     .save(dir + QStringLiteral("status/wlanmon-%1.png").arg(resource));
    }
    if (!ok) return 1;
  }
  return 0;
}
