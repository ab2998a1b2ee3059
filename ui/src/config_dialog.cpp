#include "ui/config_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QWindowStateChangeEvent>

#include "ui/about_page.h"

namespace nv {

namespace {

const QColor kWindowBackground(198, 216, 241);
const QColor kHoverBlue(0, 0, 255);
const QColor kInactiveGrey(128, 128, 128);
constexpr const char* kLabelTexts[5] = {"Link Info.", "Configuration", "Security", "SiteSurvey",
                                        "About"};
constexpr const char* kPageNames[5] = {"linkInfoPage", "configurationPage", "securityPage",
                                       "siteSurveyPage", "aboutPage"};
// Pages are created in this order (the layouts' order), whatever their index.
constexpr int kCreationOrder[5] = {kPageLinkInfo, kPageConfiguration, kPageSiteSurvey, kPageAbout,
                                   kPageSecurity};
constexpr int kLabelWidth = 118;
constexpr int kLabelHeight = 28;
constexpr int kMargin = 12;

bool OwnedBy(const QWidget* widget, const QWidget* owner) {
  for (const QWidget* p = widget->parentWidget(); p != nullptr; p = p->parentWidget()) {
    if (p == owner) return true;
  }
  return false;
}

}  // namespace

ConfigDialog::ConfigDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("configDialog"));
  setWindowTitle(QString::fromLatin1(kConfigWindowTitle));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, kWindowBackground);
  setPalette(p);
  setFixedSize(600, 400);

  frame_ = new QFrame(this);
  frame_->setObjectName(QStringLiteral("pageFrame"));
  frame_->setFrameShape(QFrame::StyledPanel);
  frame_->setGeometry(kLabelWidth + 2 * kMargin, kMargin, width() - kLabelWidth - 3 * kMargin,
                      height() - 2 * kMargin);
  for (int i = 0; i < 5; ++i) {
    auto* label = new LabelStatic(QString::fromLatin1(kLabelTexts[i]), this);
    label->setObjectName(QString::fromLatin1(kPageNames[i]).replace(
        QStringLiteral("Page"), QStringLiteral("Label")));
    label->setGeometry(kMargin, kMargin + 20 + i * (kLabelHeight + 8), kLabelWidth, kLabelHeight);
    label->SetBackgroundColour(kWindowBackground);
    label->SetHoverColour(kHoverBlue);
    label->SetHoverHighlight(true);
    label->SetMouseInside(false);
    label->SetPointerCursor(Qt::PointingHandCursor);
    label->SetTextColour(Qt::black);
    label->SetUnderline(true);
    connect(label, &LabelStatic::clicked, this, [this, i] { ShowPage(i); });
    labels_[static_cast<size_t>(i)] = label;
  }
}

ConfigDialog::~ConfigDialog() = default;

void ConfigDialog::OpenPages() {
  ClosePages();
  for (int index : kCreationOrder) {
    ConfigPage* page = factory_ ? factory_(index, frame_) : nullptr;
    if (page == nullptr && index == kPageAbout) page = new AboutPage(io_, frame_);
    if (page == nullptr) page = new ConfigPage(QString::fromLatin1(kPageNames[index]), frame_);
    page->setGeometry(frame_->contentsRect());
    page->raise();
    page->hide();
    pages_[static_cast<size_t>(index)] = page;
  }
  currentPage_ = -1;
  ShowPage(kPageLinkInfo);
}

void ConfigDialog::ClosePages() {
  for (ConfigPage*& page : pages_) {
    delete page;
    page = nullptr;
  }
}

int ConfigDialog::Run() {
  setWindowState(Qt::WindowNoState);
  if (io_ == nullptr) io_ = DefaultAdapterIo();
  OpenPages();
  const int result = exec();
  ClosePages();  // each run's pages live only as long as the run
  return result;
}

void ConfigDialog::ShowPage(int index) {
  if (index == currentPage_) return;
  currentPage_ = index;
  for (ConfigPage* page : pages_) {
    if (page) page->hide();
  }
  for (int i = 0; i < 5; ++i) {
    labels_[static_cast<size_t>(i)]->SetTextColour(kInactiveGrey);
    labels_[static_cast<size_t>(i)]->SetBold(true);
    labels_[static_cast<size_t>(i)]->setText(QString::fromLatin1(kLabelTexts[i]));
  }
  if (index == kPageReload) {
    if (page(kPageSecurity)) page(kPageSecurity)->Reload();
    if (page(kPageConfiguration)) page(kPageConfiguration)->Reload();
    index = kPageLinkInfo;
  }
  if (index < 0 || index > 4 || page(index) == nullptr) return;
  page(index)->show();
  label(index)->SetTextColour(Qt::black);
  if (index == kPageSiteSurvey && surveyRefresh_) surveyRefresh_();
}

void ConfigDialog::CloseWithPopups() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget == this || !OwnedBy(widget, this)) continue;
    if (auto* dialog = qobject_cast<QDialog*>(widget)) {
      dialog->done(QDialog::Rejected);
    } else {
      widget->close();
    }
  }
  done(QDialog::Accepted);
}

void ConfigDialog::closeEvent(QCloseEvent* event) {
  // The close box (and Alt+F4) end the window; a close request from code does not.
  if (event->spontaneous()) {
    done(QDialog::Accepted);
  } else {
    event->ignore();
  }
}

void ConfigDialog::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // Never minimised: the minimise box ends the window (the next run opens it normally).
  if (event->type() == QEvent::WindowStateChange && isMinimized() && isVisible()) {
    done(QDialog::Accepted);
  }
}

}  // namespace nv
