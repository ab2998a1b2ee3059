// wlanmon.exe: the Netvane Wireless LAN Monitor tray program for Windows.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "logic/settings_lock.h"
#include "platform/default_ports.h"
#include "sim/in_process.h"
#include "win/main_frame.h"
#include "win/pages.h"

namespace {

constexpr UINT kAskDeadlineMs = 3000;

std::vector<std::string> Arguments() {
  std::vector<std::string> arguments;
  for (int i = 0; i < __argc; ++i) arguments.emplace_back(__argv[i]);
  return arguments;
}

// Another instance's frame, by its title; a second start hands it the request to open its
// window and ends. It beeps only when no window comes of it.
int SecondStart(HWND running) {
  const UINT message = RegisterWindowMessageA(nv::win::kOpenMessageName);
  DWORD process = 0;
  GetWindowThreadProcessId(running, &process);
  // The running program may take the foreground, which Windows otherwise refuses it.
  using AllowFn = BOOL(WINAPI*)(DWORD);
  auto allow = reinterpret_cast<AllowFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("user32.dll"), "AllowSetForegroundWindow")));
  if (allow != nullptr) allow(process);
  DWORD_PTR reply = 0;
  if (message == 0 || SendMessageTimeoutA(running, message, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                                          kAskDeadlineMs, &reply) == 0) {
    MessageBeep(MB_ICONEXCLAMATION);
    return 1;
  }
  if (reply != static_cast<DWORD_PTR>(nv::win::kReplyShown)) MessageBeep(MB_ICONEXCLAMATION);
  return 0;
}

// The frame of a program that started at the same moment may not exist yet: it is waited for.
HWND RunningFrame(bool anotherStarting) {
  const DWORD until = GetTickCount() + kAskDeadlineMs;
  for (;;) {
    HWND frame = FindWindowA(nullptr, nv::win::kMainFrameTitle);
    if (frame != nullptr || !anotherStarting || static_cast<LONG>(GetTickCount() - until) >= 0)
      return frame;
    Sleep(50);
  }
}

bool NtFamily() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // One instance: a named mutex for two starts at the same moment, the frame's title for the
  // running one (9x takes no namespace prefix in the name).
  const HANDLE once =
      CreateMutexA(nullptr, FALSE, NtFamily() ? "Local\\NetvaneWlanMonitor" : "NetvaneWlanMonitor");
  const bool anotherStarting = once != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
  if (HWND running = RunningFrame(anotherStarting)) return SecondStart(running);

  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  CoInitialize(nullptr);  // the picture decoder of the About page

  nv::DefaultPorts ports = nv::MakeDefaultPorts(250, nv::kWindowLockWaitMs);
  std::unique_ptr<nv::InProcessAdapter> virtualAdapter;
  const nv::AdapterChoice choice = nv::ChooseAdapter(Arguments());
  if (choice.virtualAdapter) {
    std::string error;
    virtualAdapter =
        nv::InProcessAdapter::Start(choice.scenarioPath, *ports.registry, *ports.system, &error);
    if (!virtualAdapter) {
      MessageBoxA(nullptr, error.c_str(), nv::win::kMainFrameTitle, MB_OK | MB_ICONERROR);
      return 1;
    }
  }
  nv::DeviceLink& link = virtualAdapter ? virtualAdapter->link() : *ports.link;
  nv::AdapterProbe& probe = virtualAdapter ? virtualAdapter->probe() : *ports.probe;
  nv::AdapterIo io(nv::Ports{link, probe, *ports.system, *ports.registry});

  nv::AppState state;
  nv::win::PageContext context{instance, io, state};
  nv::win::ConfigDialog dialog(context, nv::win::StandardPages());
  nv::win::MainFrame frame(context, dialog);
  if (!frame.Create()) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  CoUninitialize();
  if (once != nullptr) CloseHandle(once);
  return 0;
}
