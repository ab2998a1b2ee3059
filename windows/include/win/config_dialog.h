// The configuration window (layout 137): five page labels on the left and the page frame
// (tab control 1000, without tabs) holding one visible page. One object for the program's
// life; every run creates the pages' windows anew and starts on page 0. The tray runs it
// modally; its timer goes on ticking, since the modal loop dispatches the frame's messages.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "logic/window_pages.h"
#include "win/controls.h"
#include "win/dialog_binding.h"
#include "win/page.h"

namespace nv::win {

class ConfigDialog {
 public:
  using PageFactory = std::function<std::unique_ptr<Page>(int index, PageContext& context)>;

  // `factory` makes the five page objects, once (null: blank pages).
  ConfigDialog(PageContext& context, const PageFactory& factory);
  ~ConfigDialog();
  ConfigDialog(const ConfigDialog&) = delete;
  ConfigDialog& operator=(const ConfigDialog&) = delete;

  // The modal run; returns when the window ends.
  INT_PTR Run();
  // The same window without a modal loop, for tests: the caller pumps messages.
  HWND OpenModeless();

  void ShowPage(int index);
  // Ends the window and closes every dialog and message box it owns.
  void CloseWithPopups();
  void BringToFront();

  HWND hwnd() const { return hwnd_; }
  bool open() const { return hwnd_ != nullptr; }
  int currentPage() const { return currentPage_; }
  Page* page(int index) const { return pages_[static_cast<size_t>(index)].get(); }
  LabelStatic& label(int index) { return labels_[static_cast<size_t>(index)]; }

 private:
  friend struct DialogBinding<ConfigDialog>;
  static LRESULT CALLBACK KeyFilter(int code, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void SetUpLabels();
  void End();
  bool OnSystemCommand(WPARAM command);
  void FocusPage(int index);

  PageContext& context_;
  std::array<std::unique_ptr<Page>, kPageCount> pages_;
  std::array<LabelStatic, kPageCount> labels_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
  int currentPage_ = -1;
  HBRUSH background_ = nullptr;
  HFONT labelFont_ = nullptr;
  HHOOK keyHook_ = nullptr;
};

}  // namespace nv::win
