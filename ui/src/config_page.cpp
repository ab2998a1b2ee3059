#include "ui/config_page.h"

namespace nv {

ConfigPage::ConfigPage(const QString& label, QWidget* parent) : QWidget(parent) {
  setObjectName(label);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);  // every page paints white
  setPalette(p);
}

}  // namespace nv
