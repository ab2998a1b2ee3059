// One page of the configuration window: a modeless child dialog made from its layout inside
// the window's page frame. The page object lives as long as the program; its window is made
// anew at every opening. Pages reach the adapter and the registry through `logic/` only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "adapter/adapter_io.h"
#include "logic/app_state.h"
#include "win/dialog_binding.h"

namespace nv::win {

// Shows a message box and returns its answer (IDOK, IDYES...): MessageBoxA in the program, a
// scripted answer in tests.
using MessageBoxFn =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)>;
int SystemMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// What every page works with.
struct PageContext {
  HINSTANCE instance;
  AdapterIo& io;
  AppState& state;
  MessageBoxFn messageBox = SystemMessageBox;
};

class ConfigDialog;

class Page {
 public:
  explicit Page(PageContext& context) : context_(context) {}
  virtual ~Page();
  Page(const Page&) = delete;
  Page& operator=(const Page&) = delete;

  void SetOwner(ConfigDialog* owner) { owner_ = owner; }
  // Makes the page's window from `layout` as a child of `parent`; the page's set-up runs
  // inside. Null when the layout cannot be made.
  HWND Create(int layout, HWND parent);
  void Destroy();
  HWND hwnd() const { return hwnd_; }

  // Shows the stored configuration again (the Configuration and Security pages).
  virtual void Reload() {}
  // Runs when the page is shown (the Site Survey page reads its two lists again).
  virtual void Shown() {}

 protected:
  virtual void OnInitDialog() {}
  // A WM_COMMAND from control `id`; true when the page took it.
  virtual bool OnCommand(int id, int code) {
    (void)id;
    (void)code;
    return false;
  }
  virtual void OnTimer(UINT_PTR id) { (void)id; }
  // A WM_NOTIFY; true when the page took it, with the dialog procedure's result.
  virtual bool OnNotify(const NMHDR& header, INT_PTR* result) {
    (void)header;
    (void)result;
    return false;
  }
  virtual void OnDestroy() {}
  // Any other message; true when the page took it.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
    (void)message;
    (void)wParam;
    (void)lParam;
    (void)result;
    return false;
  }

  // Asks the window to show page `index` (0..4, or kPageReload).
  void RequestPage(int index);
  // A message box owned by the window (so that closing the window closes it too).
  int Say(const std::string& text, const std::string& caption, UINT type);
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  // The window's top-level dialog (the configuration window), or the page when it has none.
  HWND Window() const;

  PageContext& context_;
  ConfigDialog* owner_ = nullptr;
  HWND hwnd_ = nullptr;

 private:
  friend struct DialogBinding<Page>;
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  HBRUSH background_ = nullptr;
};

// A page without behaviour of its own: its layout on white.
class BlankPage : public Page {
 public:
  using Page::Page;
};

}  // namespace nv::win
