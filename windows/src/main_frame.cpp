#include "win/main_frame.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cstring>

#include "../res/resource.h"
#include "adapter/operations.h"
#include "logic/survey_actions.h"

namespace nv::win {

namespace {

constexpr const char* kFrameClass = "NetvaneWlanMonitorFrame";

// The version of shell32.dll, by its DllGetVersion (4.00 when it has none).
DWORD ShellMajorVersion() {
  HMODULE shell = GetModuleHandleA("shell32.dll");
  typedef HRESULT(CALLBACK * GetVersionFn)(DLLVERSIONINFO*);
  auto get = shell == nullptr ? nullptr
                              : reinterpret_cast<GetVersionFn>(reinterpret_cast<void*>(
                                    GetProcAddress(shell, "DllGetVersion")));
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  if (get == nullptr || FAILED(get(&info))) return 4;
  return info.dwMajorVersion;
}

void CopyText(char* to, size_t size, const std::string& text) {
  const size_t n = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(to, text.data(), n);
  to[n] = '\0';
}

}  // namespace

DWORD NotifyIconDataSize() {
  return ShellMajorVersion() >= 5 ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
}

MainFrame::MainFrame(PageContext& context, ConfigDialog& dialog)
    : context_(context), dialog_(dialog), monitor_(context.io, context.state, *this) {}

MainFrame::~MainFrame() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool MainFrame::Create() {
  trayMessage_ = RegisterWindowMessageA(kTrayMessageName);
  openMessage_ = RegisterWindowMessageA(kOpenMessageName);
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  WNDCLASSA frameClass{};
  frameClass.lpfnWndProc = Procedure;
  frameClass.hInstance = context_.instance;
  frameClass.hIcon = LoadIconA(context_.instance, MAKEINTRESOURCEA(IDI_PROGRAM));
  frameClass.lpszClassName = kFrameClass;
  RegisterClassA(&frameClass);  // fails harmlessly when a test registered it before
  // Construction reads the radio; its low byte is kept (0xFF without a driver).
  context_.state.radioOn = static_cast<uint8_t>(ReadRadioState(context_.io));
  hwnd_ = CreateWindowExA(0, kFrameClass, kMainFrameTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                          context_.instance, this);
  if (hwnd_ == nullptr) return false;
  // Never shown: the icon and the windows it opens are all the user sees.
  monitor_.Start();
  SetTimer(hwnd_, kMonitorTimer, kMonitorPeriodMs, nullptr);
  return true;
}

LRESULT CALLBACK MainFrame::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<MainFrame*>(create->lpCreateParams)->hwnd_ = hwnd;
  }
  auto* frame = reinterpret_cast<MainFrame*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (frame == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  const LRESULT result = frame->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    frame->hwnd_ = nullptr;
  }
  return result;
}

LRESULT MainFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == trayMessage_ && trayMessage_ != 0) {
    OnTrayMessage(lParam);
    return 0;
  }
  if (message == openMessage_ && openMessage_ != 0) {
    // The asker is answered before the window's modal run, which would hold it until the end.
    if (monitor_.adapterMissing()) return OpenOrRaiseConfigWindow() ? kReplyShown : kReplyNoWindow;
    if (InSendMessage()) ReplyMessage(kReplyShown);
    OpenOrRaiseConfigWindow();
    return kReplyShown;
  }
  if (message == taskbarCreated_ && taskbarCreated_ != 0) {
    // The notification area was made anew (the shell restarted): the icon goes in again.
    iconAdded_ = false;
    if (shownIcon_ != kIconNone) UpdateTrayIcon(shownIcon_, shownTip_);
    return 0;
  }
  switch (message) {
    case WM_TIMER:
      if (wParam != kMonitorTimer) break;
      KillTimer(hwnd_, kMonitorTimer);
      Tick();
      if (hwnd_ != nullptr) SetTimer(hwnd_, kMonitorTimer, kMonitorPeriodMs, nullptr);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDM_OPEN) OpenOrRaiseConfigWindow();
      if (LOWORD(wParam) == IDM_NOTIFY) ToggleNotifyOnConnect();
      if (LOWORD(wParam) == IDM_EXIT) Exit();
      return 0;
    case WM_CLOSE:
      Exit();
      return 0;
    case WM_DESTROY:
      monitor_.Stop();  // the icon goes before the program ends
      KillTimer(hwnd_, kMonitorTimer);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void MainFrame::Tick() {
  monitor_.Tick();
  // The link notices the user asked for, decided beside the tick as on Linux.
  const LinkNotice notice =
      notices_.Next(!monitor_.adapterMissing(), context_.state.currentLinkStatus);
  if (notice.kind == NoticeKind::kNone || !ReadNotifyOnConnect(context_.io.registry())) return;
  ShowBalloon(notice.title, notice.text,
              notice.kind == NoticeKind::kNoCard ? NIIF_WARNING : NIIF_INFO);
}

void MainFrame::ToggleNotifyOnConnect() {
  const bool on = !ReadNotifyOnConnect(context_.io.registry());
  if (WriteNotifyOnConnect(context_.io.registry(), on) != 0) {
    context_.messageBox(nullptr, "The setting could not be stored.", kMainFrameTitle,
                        MB_OK | MB_ICONWARNING);
  }
}

void MainFrame::OnTrayMessage(LPARAM mouse) {
  switch (static_cast<UINT>(mouse)) {
    case WM_LBUTTONDBLCLK:
      OpenOrRaiseConfigWindow();
      break;
    case WM_RBUTTONUP:
      ShowMenu();
      break;
    default:
      break;
  }
}

bool MainFrame::OpenOrRaiseConfigWindow() {
  if (monitor_.adapterMissing()) {
    ShowNoCardBalloon();  // the window would close at the next tick
    return false;
  }
  if (context_.state.configWindowOpen) {
    dialog_.BringToFront();
    return true;
  }
  context_.state.configWindowOpen = true;
  dialog_.Run();
  context_.state.configWindowOpen = false;
  if (exitAfterRun_) DestroyWindow(hwnd_);
  return true;
}

// "Open" (the default item, drawn bold), "Notify on connect" (checked when on), "Exit".
void MainFrame::ShowMenu() {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return;
  AppendMenuA(menu, MF_STRING, IDM_OPEN, "Open");
  const UINT notify = ReadNotifyOnConnect(context_.io.registry()) ? MF_CHECKED : MF_UNCHECKED;
  AppendMenuA(menu, MF_STRING | notify, IDM_NOTIFY, "Notify on connect");
  AppendMenuA(menu, MF_STRING, IDM_EXIT, "Exit");
  SetMenuDefaultItem(menu, IDM_OPEN, FALSE);
  POINT at{};
  GetCursorPos(&at);
  // The menu closes when the user clicks elsewhere only while its owner is in front.
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(menu, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  PostMessageA(hwnd_, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void MainFrame::Exit() {
  if (context_.state.configWindowOpen) {
    // The window's run is below us on this thread: the frame goes when it has returned.
    exitAfterRun_ = true;
    dialog_.CloseWithPopups();
    return;
  }
  DestroyWindow(hwnd_);
}

bool MainFrame::Notify(DWORD action, UINT flags, HICON icon, const std::string& tip,
                       const char* balloonTitle, const char* balloonText, DWORD balloonKind) {
  NOTIFYICONDATAA data{};
  data.cbSize = NotifyIconDataSize();
  data.hWnd = hwnd_;
  data.uID = kTrayIconId;
  data.uFlags = flags;
  data.uCallbackMessage = trayMessage_;
  data.hIcon = icon;
  CopyText(data.szTip, data.cbSize == NOTIFYICONDATAA_V1_SIZE ? 64 : sizeof data.szTip, tip);
  if (balloonTitle != nullptr && data.cbSize != NOTIFYICONDATAA_V1_SIZE) {
    data.uFlags |= NIF_INFO;
    CopyText(data.szInfoTitle, sizeof data.szInfoTitle, balloonTitle);
    CopyText(data.szInfo, sizeof data.szInfo, balloonText);
    data.uTimeout = kBalloonMs;
    data.dwInfoFlags = balloonKind;
  }
  return Shell_NotifyIconA(action, &data) != FALSE;
}

void MainFrame::UpdateTrayIcon(int icon, const std::string& tip) {
  if (hwnd_ == nullptr) return;
  if (icon == kIconNone) {
    Notify(NIM_DELETE, 0, nullptr, "");
    iconAdded_ = false;
    shownIcon_ = kIconNone;
    return;
  }
  HICON picture = static_cast<HICON>(LoadImageA(context_.instance, MAKEINTRESOURCEA(icon),
                                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  const DWORD action = iconAdded_ ? NIM_MODIFY : NIM_ADD;
  if (Notify(action, NIF_MESSAGE | NIF_ICON | NIF_TIP, picture, tip) || action == NIM_MODIFY) {
    iconAdded_ = true;
  }
  shownIcon_ = icon;
  shownTip_ = tip;
}

void MainFrame::ShowNoCardBalloon() {
  const std::string tip = kTipNoCard;
  const size_t cut = tip.find('\n');
  ShowBalloon(tip.substr(0, cut), tip.substr(cut + 1), NIIF_WARNING);
}

void MainFrame::ShowBalloon(const std::string& title, const std::string& text, DWORD kind) {
  if (!iconAdded_) return;
  Notify(NIM_MODIFY, NIF_MESSAGE | NIF_TIP, nullptr, shownTip_, title.c_str(), text.c_str(), kind);
}

void MainFrame::RefreshSurveyLists() {
  // With the window open its Site Survey page reads and shows both lists; closed, the shared
  // survey state is kept current all the same (the tick reads connectedBssIndex).
  if (dialog_.open()) {
    dialog_.page(kPageSiteSurvey)->Shown();
    return;
  }
  RefreshSurveyState(context_.io, context_.state);
}

void MainFrame::CloseConfigWindowWithPopups() { dialog_.CloseWithPopups(); }

}  // namespace nv::win
