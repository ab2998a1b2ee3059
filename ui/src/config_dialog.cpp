#include "ui/config_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QKeyEvent>
#include <QShortcut>
#include <QWindowStateChangeEvent>

#include "page_widgets.h"

namespace nv {

namespace {

QColor Colour(uint32_t rgb) {
  return QColor(int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF));
}
const QColor kWindowBackground = Colour(kWindowBackgroundRgb);
const QColor kHoverBlue = Colour(kLabelHoverRgb);
const QColor kInactiveGrey = Colour(kLabelInactiveRgb);
constexpr const char* kPageNames[5] = {"linkInfoPage", "configurationPage", "securityPage",
                                       "siteSurveyPage", "aboutPage"};
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
  setModal(false);  // the tray stays usable while the window is open
  setAutoFillBackground(true);
  // A fixed look of its own under any desktop theme, for its pages and the boxes it opens.
  setAttribute(Qt::WA_WindowPropagation);
  setPalette(pages::WindowPalette(kWindowBackground));
  InstallPageTabAccessibility();

  frame_ = new QFrame(this);
  frame_->setObjectName(QStringLiteral("pageFrame"));
  frame_->setFrameShape(QFrame::StyledPanel);
  const int border = frame_->frameWidth();
  frame_->setGeometry(kLabelWidth + 2 * kMargin, kMargin, kPageSize.width() + 2 * border,
                      kPageSize.height() + 2 * border);
  setFixedSize(frame_->geometry().right() + 1 + kMargin, frame_->geometry().bottom() + 1 + kMargin);
  for (int i = 0; i < 5; ++i) {
    auto* label = new LabelStatic(QString::fromLatin1(kPageLabels[static_cast<size_t>(i)]), this);
    label->setObjectName(QString::fromLatin1(kPageNames[i])
                             .replace(QStringLiteral("Page"), QStringLiteral("Label")));
    label->setGeometry(kMargin, kMargin + 20 + i * (kLabelHeight + 8), kLabelWidth, kLabelHeight);
    label->setProperty("nvPageTab", i);
    label->setAccessibleName(QString::fromLatin1(kPageLabels[static_cast<size_t>(i)]));
    label->setFocusPolicy(Qt::TabFocus);
    label->installEventFilter(this);
    connect(label, &LabelStatic::clicked, this, [this, i] { ShowPage(i); });
    labels_[static_cast<size_t>(i)] = label;
  }
  SetUpKeyboard();
  connect(this, &QDialog::finished, this, [this] { ClosePages(); });
}

ConfigDialog::~ConfigDialog() = default;

// Ctrl+PageDown / Ctrl+PageUp are shortcuts. Ctrl+Tab and Ctrl+Shift+Tab are read as keys
// (event, keyPressEvent): X11 reports Ctrl+Shift+Tab as Backtab, with or without Shift, and the
// several sequences that then match would make a shortcut ambiguous, so that none fires.
void ConfigDialog::SetUpKeyboard() {
  const struct {
    QKeyCombination keys;
    int step;
  } shortcuts[] = {
      {Qt::CTRL | Qt::Key_PageDown, 1},
      {Qt::CTRL | Qt::Key_PageUp, -1},
  };
  for (const auto& s : shortcuts) {
    auto* shortcut = new QShortcut(QKeySequence(s.keys), this);
    const int step = s.step;
    connect(shortcut, &QShortcut::activated, this, [this, step] { ShowNextPage(step); });
  }
}

namespace {

// +1 for Ctrl+Tab, -1 for Ctrl+Shift+Tab (Backtab), 0 for any other key.
int TabStep(const QKeyEvent* key) {
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  if (!(mods & Qt::ControlModifier) || (mods & (Qt::AltModifier | Qt::MetaModifier))) return 0;
  if (key->key() == Qt::Key_Backtab) return -1;
  if (key->key() == Qt::Key_Tab) return mods & Qt::ShiftModifier ? -1 : 1;
  return 0;
}

}  // namespace

bool ConfigDialog::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && TabStep(static_cast<QKeyEvent*>(event)) != 0) {
    event->accept();  // a key for keyPressEvent, not a shortcut
    return true;
  }
  return QDialog::event(event);
}

void ConfigDialog::keyPressEvent(QKeyEvent* event) {
  if (const int step = TabStep(event)) {
    ShowNextPage(step);
    return;
  }
  QDialog::keyPressEvent(event);
}

// Set up at every opening: a label the pointer was over when the window closed starts clear.
void ConfigDialog::SetUpLabels() {
  for (LabelStatic* label : labels_) {
    label->SetBackgroundColour(kWindowBackground);
    label->SetHoverColour(kHoverBlue);
    label->SetHoverHighlight(true);
    label->SetMouseInside(false);
    label->setFrameStyle(QFrame::NoFrame);
    label->SetPointerCursor(Qt::PointingHandCursor);
    label->SetTextColour(Qt::black);
    label->SetUnderline(true);
  }
}

void ConfigDialog::OpenPages() {
  ClosePages();
  for (int index : kPageCreationOrder) {
    ConfigPage* page = factory_ ? factory_(index, frame_) : nullptr;
    if (page == nullptr) page = new ConfigPage(QString::fromLatin1(kPageNames[index]), frame_);
    page->move(frame_->contentsRect().topLeft());  // its own size, at the frame's corner
    page->raise();
    page->hide();
    connect(page, &ConfigPage::showPageRequested, this, &ConfigDialog::ShowPage);
    pages_[static_cast<size_t>(index)] = page;
  }
  SetUpLabels();
  currentPage_ = -1;
  ShowPage(kPageLinkInfo);
}

void ConfigDialog::ClosePages() {
  for (ConfigPage*& page : pages_) {
    if (page == nullptr) continue;
    page->hide();
    page->deleteLater();  // the end may come from inside one of the page's own handlers
    page = nullptr;
  }
}

void ConfigDialog::OpenWindow() {
  setWindowState(Qt::WindowNoState);
  OpenPages();
  show();
  BringToFront();
}

int ConfigDialog::Run() {
  QEventLoop loop;
  const auto connection = connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
  OpenWindow();
  if (isVisible()) loop.exec();
  disconnect(connection);
  return result();
}

void ConfigDialog::BringToFront() {
  if (isMinimized()) setWindowState(Qt::WindowNoState);
  raise();
  activateWindow();
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
    labels_[static_cast<size_t>(i)]->setText(
        QString::fromLatin1(kPageLabels[static_cast<size_t>(i)]));
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

void ConfigDialog::ShowNextPage(int step) { ShowPage(NextPage(currentPage_, step)); }

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

// A page label with the keyboard focus shows a focus frame (not the hover colour) and opens its
// page on Space or Enter.
bool ConfigDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    // Only a focus reached by the keyboard shows; the window's opening focus does not.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    const bool byKeyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
    if (auto* label = qobject_cast<LabelStatic*>(watched)) {
      const bool shown = event->type() == QEvent::FocusIn && byKeyboard;
      label->setFrameStyle(shown ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    }
  }
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    const QVariant tab = watched->property("nvPageTab");
    if (tab.isValid() && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
      ShowPage(tab.toInt());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace nv
