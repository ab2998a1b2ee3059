// Stand-ins for the drawing controls until each has its GDI drawing: they take over the
// layout's control and keep its plain behaviour.
#include "win/controls.h"

#include <commctrl.h>

namespace nv::win {

bool ReflectToControl(HWND, UINT, WPARAM, LPARAM, INT_PTR*) { return false; }

struct OwnerDrawButton::State {};
OwnerDrawButton::OwnerDrawButton() = default;
OwnerDrawButton::~OwnerDrawButton() = default;
bool OwnerDrawButton::Attach(HWND dialog, int id) {
  hwnd_ = GetDlgItem(dialog, id);
  return hwnd_ != nullptr;
}

struct GroupFrame::State {};
GroupFrame::GroupFrame() = default;
GroupFrame::~GroupFrame() = default;
bool GroupFrame::Attach(HWND dialog, int id) {
  hwnd_ = GetDlgItem(dialog, id);
  return hwnd_ != nullptr;
}

struct GradientProgress::State {};
GradientProgress::GradientProgress() = default;
GradientProgress::~GradientProgress() = default;
bool GradientProgress::Attach(HWND dialog, int id) {
  hwnd_ = GetDlgItem(dialog, id);
  return hwnd_ != nullptr;
}

struct StripChart::State {};
StripChart::StripChart() = default;
StripChart::~StripChart() = default;
bool StripChart::Attach(HWND dialog, int id) {
  hwnd_ = GetDlgItem(dialog, id);
  return hwnd_ != nullptr;
}

struct LabelStatic::State {};
LabelStatic::LabelStatic() = default;
LabelStatic::~LabelStatic() = default;
bool LabelStatic::Attach(HWND dialog, int id) {
  hwnd_ = GetDlgItem(dialog, id);
  return hwnd_ != nullptr;
}

struct CEditEx::State {};
CEditEx::CEditEx() = default;
CEditEx::~CEditEx() = default;
bool CEditEx::Attach(HWND dialog, int id) {
  hwnd_ = GetDlgItem(dialog, id);
  return hwnd_ != nullptr;
}

struct HexKeyEdit::State {};
HexKeyEdit::HexKeyEdit() = default;
HexKeyEdit::~HexKeyEdit() = default;
bool HexKeyEdit::Attach(HWND dialog, int id) {
  hwnd_ = GetDlgItem(dialog, id);
  return hwnd_ != nullptr;
}

struct AnimatedPicture::State {};
AnimatedPicture::AnimatedPicture() = default;
AnimatedPicture::~AnimatedPicture() = default;
bool AnimatedPicture::Attach(HWND dialog, int id) {
  hwnd_ = GetDlgItem(dialog, id);
  return hwnd_ != nullptr;
}

void OwnerDrawButton::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
void OwnerDrawButton::SetTextColour(COLORREF) {}
void OwnerDrawButton::SetDefault(bool) {}
void OwnerDrawButton::Enable(bool on) { EnableWindow(hwnd_, on); }
void GroupFrame::SetCaptionFont(const FontSpec&) {}
void GroupFrame::SetCaptionColour(COLORREF) {}
void GroupFrame::SetLineColours(COLORREF, COLORREF) {}
void GradientProgress::SetColourStops(const std::vector<uint32_t>&) {}
void GradientProgress::SetPos(int position) { SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(position), 0); }
void StripChart::SetRange(uint32_t, uint32_t) {}
uint32_t StripChart::AddSample(uint32_t value) { return value; }
void LabelStatic::SetText(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
void LabelStatic::SetTextColour(COLORREF) {}
void LabelStatic::SetBackgroundColour(COLORREF) {}
void LabelStatic::SetBold(bool) {}
void LabelStatic::SetUnderline(bool) {}
void LabelStatic::SetFontHeight(int) {}
void LabelStatic::SetFaceName(const std::string&) {}
void LabelStatic::SetHoverColour(COLORREF) {}
void LabelStatic::SetHoverHighlight(bool) {}
void LabelStatic::SetMouseInside(bool) {}
void LabelStatic::SetPointerCursor(HCURSOR) {}
void CEditEx::SetTextColour(COLORREF) {}
void CEditEx::SetBackgroundColour(COLORREF) {}
void CEditEx::SetText(const std::string& bytes) { SetWindowTextA(hwnd_, bytes.c_str()); }
void HexKeyEdit::SetHexOnly(bool) {}
void HexKeyEdit::SetLimit(int characters) { SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0); }
void HexKeyEdit::SetMasked(bool) {}
bool HexKeyEdit::masked() const { return false; }
std::string HexKeyEdit::Text() const {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd_)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size()))));
  return text;
}
bool AnimatedPicture::LoadFromResource(int, const char*) { return false; }
bool AnimatedPicture::Draw() { return false; }
void AnimatedPicture::Stop() {}
void AnimatedPicture::Unload() {}
bool AnimatedPicture::IsAnimated() const { return false; }

}  // namespace nv::win
