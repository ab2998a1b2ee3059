#include "shell/main_frame.h"

#include <QApplication>
#include <cstdio>

#include "adapter/operations.h"
#include "shell/icons.h"
#include "shell/tray_kind.h"
#include "ui/pages.h"
#include "ui/site_survey_page.h"

namespace nv {

CMainFrame::CMainFrame(AdapterIo& io, AppState& state, ConfigDialog& dialog)
    : io_(io), state_(state), dialog_(dialog), monitor_(io, state, *this),
      singleActivationOpens_(TrayActivatesOnce()) {
  setObjectName(QStringLiteral("mainFrame"));
  setWindowTitle(QString::fromLatin1(kMainFrameTitle));
  // Construction reads the radio; its low byte is kept (0xFF without a driver).
  state_.radioOn = static_cast<uint8_t>(ReadRadioState(io_));
  QAction* exit = menu_.addAction(QStringLiteral("Exit"));
  exit->setData(kExitCommand);
  connect(exit, &QAction::triggered, this, &CMainFrame::ExitProgram);
  tray_.setContextMenu(&menu_);
  connect(&tray_, &QSystemTrayIcon::activated, this, &CMainFrame::OnActivated);
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
  monitor_.Start();
  timer_.start(kMonitorPeriodMs);
}

void CMainFrame::Tick() { monitor_.Tick(); }

void CMainFrame::UpdateTrayIcon(int icon, const std::string& tip) {
  if (icon == kIconNone) {
    tray_.hide();
    return;
  }
  tray_.setIcon(TrayIcon(icon));
  tray_.setToolTip(QString::fromStdString(tip));
  tray_.show();
  if (!QSystemTrayIcon::isSystemTrayAvailable() && !warnedNoTray_) {
    std::fputs("wlanmon: no system tray is available; the icon appears when one starts\n",
               stderr);
    warnedNoTray_ = true;
  }
}

void CMainFrame::RefreshSurveyLists() {
  // With the window open its Site Survey page reads and shows both lists; closed, the shared
  // survey state is kept current all the same (the tick reads connectedBssIndex).
  if (auto* page = qobject_cast<SiteSurveyPage*>(dialog_.page(kPageSiteSurvey))) {
    page->RefreshBssList();
    page->RefreshProfileList();
    return;
  }
  BssList list{};
  ReadBssList(io_, list);
  RefreshSurvey(list, state_.currentLinkStatus, state_.survey);
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
void CMainFrame::OpenOrRaiseConfigWindow() {
  if (state_.configWindowOpen) {
    dialog_.BringToFront();
    return;
  }
  state_.configWindowOpen = true;
  dialog_.OpenWindow();
}

void CMainFrame::ExitProgram() {
  // An open window (and any box it shows) ends first: it refuses the quit's close request.
  if (state_.configWindowOpen) dialog_.CloseWithPopups();
  monitor_.Stop();  // the icon goes before the program ends
  timer_.stop();
  QApplication::quit();
}

}  // namespace nv
