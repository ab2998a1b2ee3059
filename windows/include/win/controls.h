// The drawing controls of the Windows program in GDI. Each one takes over a control of a
// dialog layout (subclassing it by its ID) when its page initialises, and draws from the same
// Qt-free rules as the Linux controls (controls/logic). Pages hold them as members.
//
// Owner-drawn controls are painted on messages their parent receives (WM_DRAWITEM,
// WM_CTLCOLOR*): a page's dialog procedure hands every message to ReflectToControl first and
// returns its result when it took the message.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace nv::win {

// True when `message` (sent to `parent`) was for one of the drawn controls on it; `*result`
// is then what the dialog procedure returns.
bool ReflectToControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

// A font description the controls share: face, height in points (tenths), weight.
struct FontSpec {
  std::string face = "Arial";
  int pointTenths = 100;
  int weight = FW_NORMAL;
  bool underline = false;
};

// A push button, check box or radio button (BS_OWNERDRAW in the layout) drawn with the
// button look rules: raised / sunken edges, default frame, focus, hover, disabled emboss.
class OwnerDrawButton {
 public:
  OwnerDrawButton();
  ~OwnerDrawButton();
  OwnerDrawButton(const OwnerDrawButton&) = delete;
  OwnerDrawButton& operator=(const OwnerDrawButton&) = delete;
  bool Attach(HWND dialog, int id);
  HWND hwnd() const { return hwnd_; }
  void SetText(const std::string& text);
  void SetTextColour(COLORREF colour);
  void SetDefault(bool on);
  void Enable(bool on);

 private:
  friend struct ControlAccess;
  HWND hwnd_ = nullptr;
  struct State;
  State* state_ = nullptr;
};

// A group box drawn with its own caption font and colour and two line colours.
class GroupFrame {
 public:
  GroupFrame();
  ~GroupFrame();
  GroupFrame(const GroupFrame&) = delete;
  GroupFrame& operator=(const GroupFrame&) = delete;
  bool Attach(HWND dialog, int id);
  HWND hwnd() const { return hwnd_; }
  void SetCaptionFont(const FontSpec& font);
  void SetCaptionColour(COLORREF colour);
  void SetLineColours(COLORREF first, COLORREF second);

 private:
  friend struct ControlAccess;
  HWND hwnd_ = nullptr;
  struct State;
  State* state_ = nullptr;
};

// A progress bar (msctls_progress32 in the layout; PBM_SETRANGE / PBM_SETPOS keep working)
// drawn as gradient bands between colour stops.
class GradientProgress {
 public:
  GradientProgress();
  ~GradientProgress();
  GradientProgress(const GradientProgress&) = delete;
  GradientProgress& operator=(const GradientProgress&) = delete;
  bool Attach(HWND dialog, int id);
  HWND hwnd() const { return hwnd_; }
  void SetColourStops(const std::vector<uint32_t>& stops);  // COLORREF values
  void SetPos(int position);

 private:
  friend struct ControlAccess;
  HWND hwnd_ = nullptr;
  struct State;
  State* state_ = nullptr;
};

// A scrolling chart over a static control: one column a sample, newest on the right.
class StripChart {
 public:
  StripChart();
  ~StripChart();
  StripChart(const StripChart&) = delete;
  StripChart& operator=(const StripChart&) = delete;
  bool Attach(HWND dialog, int id);
  HWND hwnd() const { return hwnd_; }
  void SetRange(uint32_t minimum, uint32_t maximum);
  uint32_t AddSample(uint32_t value);  // returns the value as drawn (clamped to the range)

 private:
  friend struct ControlAccess;
  HWND hwnd_ = nullptr;
  struct State;
  State* state_ = nullptr;
};

// A static text with its own colours and font; as a hover label (SS_NOTIFY in the layout) it
// takes the hover colour while the pointer is over it and shows the given cursor. Clicks
// reach the parent as STN_CLICKED.
class LabelStatic {
 public:
  LabelStatic();
  ~LabelStatic();
  LabelStatic(const LabelStatic&) = delete;
  LabelStatic& operator=(const LabelStatic&) = delete;
  bool Attach(HWND dialog, int id);
  HWND hwnd() const { return hwnd_; }
  void SetText(const std::string& text);
  void SetTextColour(COLORREF colour);
  void SetBackgroundColour(COLORREF colour);
  void SetBold(bool on);
  void SetUnderline(bool on);
  void SetFontHeight(int points);
  void SetFaceName(const std::string& face);
  void SetHoverColour(COLORREF colour);
  void SetHoverHighlight(bool on);
  void SetMouseInside(bool inside);
  void SetPointerCursor(HCURSOR cursor);

 private:
  friend struct ControlAccess;
  HWND hwnd_ = nullptr;
  struct State;
  State* state_ = nullptr;
};

// An edit box with its own text and background colours (read-only ones included).
class CEditEx {
 public:
  CEditEx();
  ~CEditEx();
  CEditEx(const CEditEx&) = delete;
  CEditEx& operator=(const CEditEx&) = delete;
  bool Attach(HWND dialog, int id);
  HWND hwnd() const { return hwnd_; }
  void SetTextColour(COLORREF colour);
  void SetBackgroundColour(COLORREF colour);
  void SetText(const std::string& bytes);  // the registry's ANSI bytes, shown as they are

 private:
  friend struct ControlAccess;
  HWND hwnd_ = nullptr;
  struct State;
  State* state_ = nullptr;
};

// A WEP key edit box: takes only the characters the key format allows (hex digits for hex
// keys), pastes filtered, and shows the stored key masked until the user types into it.
class HexKeyEdit {
 public:
  HexKeyEdit();
  ~HexKeyEdit();
  HexKeyEdit(const HexKeyEdit&) = delete;
  HexKeyEdit& operator=(const HexKeyEdit&) = delete;
  bool Attach(HWND dialog, int id);
  HWND hwnd() const { return hwnd_; }
  void SetHexOnly(bool on);
  void SetLimit(int characters);
  void SetMasked(bool on);
  bool masked() const;
  std::string Text() const;

 private:
  friend struct ControlAccess;
  HWND hwnd_ = nullptr;
  struct State;
  State* state_ = nullptr;
};

// A picture static showing a picture from the program's resources; a GIF of more than one
// frame is animated on a worker thread (_beginthreadex, stopped by a flag and a manual-reset
// event, joined for at most 5000 ms).
class AnimatedPicture {
 public:
  AnimatedPicture();
  ~AnimatedPicture();
  AnimatedPicture(const AnimatedPicture&) = delete;
  AnimatedPicture& operator=(const AnimatedPicture&) = delete;
  bool Attach(HWND dialog, int id);
  HWND hwnd() const { return hwnd_; }
  bool LoadFromResource(int id, const char* type);
  // The picture from memory (a GIF, or any format the platform's decoder reads); the bytes
  // are copied, so they need not outlive the call.
  bool Load(const void* data, size_t size);
  bool Draw();
  void Stop();
  void Unload();
  bool IsAnimated() const;
  size_t FrameCount() const;  // the decoded frames of an animated GIF; 0 for a still picture

 private:
  friend struct ControlAccess;
  HWND hwnd_ = nullptr;
  struct State;
  State* state_ = nullptr;
};

}  // namespace nv::win
