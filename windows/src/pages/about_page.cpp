#include "about_page.h"

#include "../res/resource.h"
#include "about_ids.h"
#include "adapter/operations.h"
#include "logic/about_texts.h"

namespace nv::win {

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);  // the group's caption
constexpr COLORREF kLineGrey = RGB(128, 128, 128);
// The versions read as fixed text: dark grey on white (6:1), where a disabled box's grey
// would not reach 4.5:1.
constexpr COLORREF kVersionText = RGB(96, 96, 96);

bool IsVersionBox(int id) {
  return id == IDC_ABOUT_DRIVER || id == IDC_ABOUT_FIRMWARE || id == IDC_ABOUT_UTILITY;
}

// The dialog's own face, bold.
HFONT BoldFontOf(HWND window) {
  LOGFONTA face{};
  const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (font == nullptr || GetObjectA(font, sizeof face, &face) == 0) return nullptr;
  face.lfWeight = FW_BOLD;
  return CreateFontIndirectA(&face);
}

}  // namespace

void AboutPage::OnInitDialog() {
  SetUpLook();
  FillVersions();
}

void AboutPage::SetUpLook() {
  versionGroup_.Attach(hwnd_, IDC_ABOUT_VERSION_GROUP);
  versionGroup_.SetCaptionFont({"Arial", 100, FW_BOLD, false});
  versionGroup_.SetCaptionColour(kNavy);
  versionGroup_.SetLineColours(kLineGrey, kLineGrey);
  picture_.Attach(hwnd_, IDC_ABOUT_PICTURE);
  titleFont_ = BoldFontOf(hwnd_);
  if (titleFont_ != nullptr)
    SendMessageA(Item(IDC_ABOUT_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
}

void AboutPage::FillVersions() {
  DriverVersions versions{};
  ReadVersions(context_.io, versions);
  const AboutTexts texts = MakeAboutTexts(versions);
  if (!texts.read) return;  // the boxes and the picture stay empty, the utility's too
  SetDlgItemTextA(hwnd_, IDC_ABOUT_UTILITY, texts.utility.c_str());
  SetDlgItemTextA(hwnd_, IDC_ABOUT_DRIVER, texts.driver.c_str());
  SetDlgItemTextA(hwnd_, IDC_ABOUT_FIRMWARE, texts.firmware.c_str());
  if (picture_.LoadFromResource(IDR_ABOUT_GIF, "GIF")) picture_.Draw();
}

bool AboutPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  if (message != WM_CTLCOLORSTATIC || !IsVersionBox(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))))
    return false;
  const auto dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, kVersionText);
  SetBkColor(dc, RGB(255, 255, 255));
  *result = reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
  return true;
}

void AboutPage::OnDestroy() {
  picture_.Stop();
  picture_.Unload();
  if (titleFont_ != nullptr) DeleteObject(titleFont_);
  titleFont_ = nullptr;
}

}  // namespace nv::win
