#include "ui/config_page.h"

namespace nv {

ConfigPage::ConfigPage(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);  // every page paints white
  setPalette(p);
  resize(kPageSize);
}

}  // namespace nv
