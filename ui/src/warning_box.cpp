#include "ui/warning_box.h"

#include <QMessageBox>
#include <QPointer>

namespace nv {

void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text) {
  // On the heap: the window may end while the box is up (the adapter went away), and its
  // pages take the box with them.
  QPointer<QMessageBox> box =
      new QMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
  box->setObjectName(QStringLiteral("warningBox"));
  box->setWindowModality(Qt::WindowModal);
  box->exec();
  delete box.data();
}

}  // namespace nv
