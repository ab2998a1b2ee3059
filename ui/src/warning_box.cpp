#include "ui/warning_box.h"

#include <QMessageBox>
#include <QPointer>

#include "logic/change_message.h"
#include "page_widgets.h"
#include "ui/config_dialog.h"

namespace nv {

void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text) {
  // On the heap: the window may end while the box is up (the adapter went away), and its
  // pages take the box with them.
  QPointer<QMessageBox> box =
      new QMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
  box->setObjectName(QStringLiteral("warningBox"));
  box->setPalette(pages::WindowPalette(Qt::white));  // the window's look, under any theme
  box->setWindowModality(Qt::WindowModal);
  box->exec();
  delete box.data();
}

void ReportProblems(const WarningBox& box, QWidget* parent, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  const WarningBox copy = box;  // the caller may end while the box is up
  copy(parent, QString::fromLatin1(kConfigWindowTitle), QString::fromStdString(AsSentences(lines)));
}

bool AskQuestionBox(QWidget* parent, const QString& caption, const QString& text) {
  QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Question, caption, text,
                                              QMessageBox::Yes | QMessageBox::No, parent);
  box->setObjectName(QStringLiteral("questionBox"));
  box->setPalette(pages::WindowPalette(Qt::white));
  box->setDefaultButton(QMessageBox::No);
  box->setWindowModality(Qt::WindowModal);
  const int answer = box->exec();
  delete box.data();
  return answer == QMessageBox::Yes;
}

}  // namespace nv
