#include "ui/config_page.h"

#include "ui/config_dialog.h"

namespace nv {

ConfigPage::ConfigPage(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);  // every page paints white
  setPalette(p);
  resize(kPageSize);
  InstallPageTabAccessibility();  // also names the page's drop-down lists by their labels
}

}  // namespace nv
