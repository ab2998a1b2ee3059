// Build helper: writes the Site Survey lists' eight pictures as one strip, left to right in
// mark order, for the Windows program's image list (bitmap 155). Fully transparent pixels get
// the strip's mask colour, RGB(0, 128, 128); the others are laid on white, the lists' background.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "list_images.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: wlanmon_list_strip OUT.bmp\n", stderr);
    return 2;
  }
  const int size = nv::kListImageSize;
  QImage strip(size * nv::kListImageCount, size, QImage::Format_RGB888);
  strip.fill(Qt::white);
  QPainter painter(&strip);
  for (int i = 0; i < nv::kListImageCount; ++i) {
    const QImage picture = nv::ListImage(i).toImage().convertToFormat(QImage::Format_ARGB32);
    painter.drawImage(i * size, 0, picture);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        if (qAlpha(picture.pixel(x, y)) == 0) strip.setPixel(i * size + x, y, qRgb(0, 128, 128));
      }
    }
  }
  painter.end();
  return strip.save(QString::fromLocal8Bit(argv[1]), "BMP") ? 0 : 1;
}
