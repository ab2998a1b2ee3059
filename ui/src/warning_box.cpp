#include "ui/warning_box.h"

#include <QMessageBox>

namespace nv {

void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("warningBox"));
  box.setWindowModality(Qt::WindowModal);
  box.exec();
}

}  // namespace nv
