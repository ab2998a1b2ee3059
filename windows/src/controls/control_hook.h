// The subclassing every drawing control shares: it takes over a layout's control window (its
// window procedure, the object kept in a window property), hands the control's own messages to
// the object first, and finds the object again for the messages its parent receives for it
// (WM_DRAWITEM, WM_CTLCOLOR*). When the window goes, the object lets go of it.
#pragma once

#include <windows.h>

#include <string>

namespace nv::win::detail {

class ControlHook {
 public:
  ControlHook() = default;
  virtual ~ControlHook();
  ControlHook(const ControlHook&) = delete;
  ControlHook& operator=(const ControlHook&) = delete;

  // Subclasses `GetDlgItem(dialog, id)`; `owner` (the public object's window handle) is kept
  // up to date, null once the window is gone. False when there is no such control.
  bool Hook(HWND dialog, int id, HWND* owner);
  void Unhook();
  HWND window() const { return hwnd_; }

  // The hooked object behind a window, or null.
  static ControlHook* From(HWND hwnd);

  // A message the control receives; true when taken (`*result` is then its result).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A message its parent received for it; true when taken.
  virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

 protected:
  virtual void OnHooked() {}
  virtual void OnUnhooking() {}  // the window is still held
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const;
  void Redraw(bool erase) const;  // invalidate and paint at once

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  HWND* owner_ = nullptr;
  WNDPROC original_ = nullptr;
};

// A memory device context with a bitmap compatible with `screen`: draw into dc(), then Copy.
class Canvas {
 public:
  Canvas(HDC screen, int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  bool ok() const { return dc_ != nullptr; }
  HDC dc() const { return dc_; }
  void CopyTo(HDC target, int x, int y, int width, int height) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

void FillSolid(HDC dc, const RECT& area, COLORREF colour);
// The colour of a solid brush (a page's background brush), or `fallback`.
COLORREF BrushColour(HBRUSH brush, COLORREF fallback);
// `text` where it reads on `background`, else the nearest colour that does.
COLORREF Readable(COLORREF text, COLORREF background);
// `text` where it reads on `background`, else the system colour `systemText` (or, where that
// does not read either, the nearest colour that does).
COLORREF Readable(COLORREF text, COLORREF background, int systemText);
// The window's text as it stands (ANSI bytes).
std::string WindowText(HWND hwnd);

}  // namespace nv::win::detail
