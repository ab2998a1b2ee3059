#include "shell/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <cstdio>

#include "adapter/operations.h"
#include "logic/survey_actions.h"
#include "shell/icons.h"
#include "ui/pages.h"
#include "ui/site_survey_page.h"

namespace nv {

CMainFrame::CMainFrame(AdapterIo& io, AppState& state, ConfigDialog& dialog)
    : io_(io), state_(state), dialog_(dialog), monitor_(io, state, *this) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QString::fromLatin1(kMainFrameTitle));
  // Construction reads the radio; its low byte is kept (0xFF without a driver).
  state_.radioOn = static_cast<uint8_t>(ReadRadioState(io_));
  // "Open" is what a double click does: the default item, first, bold where menus show one.
  QAction* open = menu_.addAction(QStringLiteral("Open"));
  open->setData(kOpenCommand);
  menu_.setDefaultAction(open);
  connect(open, &QAction::triggered, this, [this] { OpenOrRaiseConfigWindow(); });
  // Off unless the user turns it on; the registry holds it (wlanctl notify sets it too), so the
  // mark is read again each time the menu opens.
  notifyItem_ = menu_.addAction(QStringLiteral("Notify on connect"));
  notifyItem_->setData(kNotifyCommand);
  notifyItem_->setCheckable(true);
  notifyItem_->setChecked(ReadNotifyOnConnect(io_.registry()));
  connect(notifyItem_, &QAction::triggered, this,
          [this](bool on) { WriteNotifyOnConnect(io_.registry(), on); });
  connect(&menu_, &QMenu::aboutToShow, this,
          [this] { notifyItem_->setChecked(ReadNotifyOnConnect(io_.registry())); });
  QAction* exit = menu_.addAction(QStringLiteral("Exit"));
  exit->setData(kExitCommand);
  connect(exit, &QAction::triggered, this, &CMainFrame::ExitProgram);
  connect(&trayWatch_, &TrayWatch::HostMayHaveAppeared, this,
          [this] { MakeTrayIconWhenPresent(true); });
  connect(&trayWatch_, &TrayWatch::HostRegistered, this, [this] {
    // An item the watcher lost (it restarted and missed the item's registration) is made
    // anew, which registers it again.
    if (tray_ && singleActivationOpens_ && !trayWatch_.ItemListed()) tray_.reset();
    MakeTrayIconWhenPresent(true);
  });
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] {
    Tick();
    timer_.start(kMonitorPeriodMs);  // the next tick counts from the end of this one
  });
  dialog_.SetSurveyRefresh([this] { RefreshSurveyLists(); });
  dialog_.SetPageFactory(StandardPages(io_, state_));
  connect(&dialog_, &QDialog::finished, this, [this] { state_.configWindowOpen = false; });
}

CMainFrame::~CMainFrame() { monitor_.Stop(); }

void CMainFrame::Start() {
  // A native window that is never mapped: others find the running program by its title.
  winId();
  MakeTrayIconWhenPresent(true);
  if (!tray_) {
    std::fputs("wlanmon: no system tray is available; the icon appears when one starts\n", stderr);
  }
  monitor_.Start();
  timer_.start(kMonitorPeriodMs);
}

void CMainFrame::Tick() {
  MakeTrayIconWhenPresent(false);  // an XEmbed tray says nothing when it starts
  monitor_.Tick();
  NotifyWhenAsked();
}

void CMainFrame::NotifyWhenAsked() {
  const LinkNotice notice = notices_.Next(!monitor_.adapterMissing(), state_.currentLinkStatus);
  // The setting is read only when there is something to tell: no registry call on a steady tick.
  if (notice.kind == NoticeKind::kNone || !ReadNotifyOnConnect(io_.registry())) return;
  if (!tray_) return;
  tray_->showMessage(
      QString::fromStdString(notice.title), QString::fromStdString(notice.text),
      notice.kind == NoticeKind::kNoCard ? QSystemTrayIcon::Warning : QSystemTrayIcon::Information,
      kBalloonMs);
}

void CMainFrame::MakeTrayIconWhenPresent(bool askBus) {
  if (tray_) return;
  if (!(askBus ? trayWatch_.TrayPresent() : trayWatch_.XEmbedTrayPresent())) return;
  singleActivationOpens_ = trayWatch_.ActivatesOnce();
  tray_ = std::make_unique<QSystemTrayIcon>();
  tray_->setContextMenu(&menu_);
  connect(tray_.get(), &QSystemTrayIcon::activated, this, &CMainFrame::OnActivated);
  if (iconWanted_ != kIconNone) ShowIcon();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) ExitProgram();  // not the close that quitting sends every window
  QWidget::closeEvent(event);
}

void CMainFrame::UpdateTrayIcon(int icon, const std::string& tip) {
  iconWanted_ = icon;
  tipWanted_ = tip;
  if (tray_) ShowIcon();
}

void CMainFrame::ShowIcon() {
  if (iconWanted_ == kIconNone) {
    tray_->hide();
    return;
  }
  tray_->setIcon(TrayIcon(iconWanted_));
  tray_->setToolTip(QString::fromStdString(tipWanted_));
  tray_->show();
}

void CMainFrame::RefreshSurveyLists() {
  // With the window open its Site Survey page reads and shows both lists; closed, the shared
  // survey state is kept current all the same (the tick reads connectedBssIndex).
  if (auto* page = qobject_cast<SiteSurveyPage*>(dialog_.page(kPageSiteSurvey))) {
    page->RefreshBssList();
    page->RefreshProfileList();
    return;
  }
  RefreshSurveyState(io_, state_);
}

void CMainFrame::CloseConfigWindowWithPopups() { dialog_.CloseWithPopups(); }

// A double click opens the window; where the tray reports only single activations (the
// D-Bus tray), one activation does.
void CMainFrame::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  const bool opens = reason == QSystemTrayIcon::DoubleClick ||
                     (reason == QSystemTrayIcon::Trigger && singleActivationOpens_);
  if (opens) OpenOrRaiseConfigWindow();
}

// The window is not run modally: the tray icon's clicks, tooltip and tick keep working while it
// is open. configWindowOpen is cleared when the window ends.
bool CMainFrame::OpenOrRaiseConfigWindow() {
  if (monitor_.adapterMissing()) {
    // The tooltip's two lines, as a short notice: the window would close at the next tick.
    const QString tip = QString::fromLatin1(kTipNoCard);
    if (tray_) {
      tray_->showMessage(tip.section(QLatin1Char('\n'), 0, 0), tip.section(QLatin1Char('\n'), 1),
                         QSystemTrayIcon::Warning, kBalloonMs);
    }
    return false;
  }
  if (state_.configWindowOpen) {
    dialog_.BringToFront();
    return true;
  }
  state_.configWindowOpen = true;
  dialog_.OpenWindow();
  return true;
}

void CMainFrame::ExitProgram() {
  // An open window (and any box it shows) ends first: it refuses the quit's close request.
  if (state_.configWindowOpen) dialog_.CloseWithPopups();
  monitor_.Stop();  // the icon goes before the program ends
  timer_.stop();
  QApplication::quit();
}

}  // namespace nv
