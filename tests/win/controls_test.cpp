// The drawing controls on a real dialog: each one takes over a child window, the dialog hands
// it its parent messages, and what it paints (through WM_PRINTCLIENT into a memory picture) and
// how it reacts to messages is checked here. The rules they draw from have their own tables.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <vector>

#include "controls/text_contrast.h"
#include "win/controls.h"

namespace nv::win {
namespace {

constexpr int kId = 100;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

INT_PTR CALLBACK PageLike(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = 0;
  if (ReflectToControl(hwnd, message, wParam, lParam, &result)) return result;
  if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN || message == WM_CTLCOLORDLG) {
    SetBkColor(reinterpret_cast<HDC>(wParam), kWhite);
    return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
  }
  return message == WM_INITDIALOG;
}

// What a window paints, read back pixel by pixel.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  bool Has(bool (*match)(COLORREF)) const {
    for (const COLORREF c : pixels) {
      if (match(c)) return true;
    }
    return false;
  }
  double BestContrast(COLORREF on) const {
    double best = 1;
    for (const COLORREF c : pixels) best = std::max(best, ContrastRatio(c, on));
    return best;
  }
};

Picture Print(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  Picture p{client.right, client.bottom, {}};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const auto* raw = static_cast<const uint32_t*>(bits);
  for (int i = 0; i < p.width * p.height; ++i) {
    const uint32_t v = raw[i];
    p.pixels.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return p;
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    struct {
      DLGTEMPLATE head;
      WORD menu, cls, title;
    } blank{{WS_POPUP | WS_CAPTION, 0, 0, 0, 0, 300, 200}, 0, 0, 0};
    dialog_ =
        CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &blank.head, nullptr, PageLike, 0);
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override { DestroyWindow(dialog_); }

  HWND Child(const char* cls, const char* text, DWORD style, int width, int height, int id = kId) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, width, height,
                           dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
  }

  HWND dialog_ = nullptr;
};

TEST_F(ControlsTest, ButtonDrawsEdgesFocusAndReadableCaptions) {
  Child("BUTTON", "Apply", BS_PUSHBUTTON | WS_TABSTOP, 80, 24);
  OwnerDrawButton button;
  ASSERT_TRUE(button.Attach(dialog_, kId));
  EXPECT_EQ(GetWindowLongPtrA(button.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  Picture normal = Print(button.hwnd());
  EXPECT_EQ(normal.at(0, 0), GetSysColor(COLOR_3DLIGHT));  // the raised edge
  EXPECT_EQ(normal.at(79, 23), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_GE(normal.BestContrast(face), kMinTextContrast);
  bool dotted = false;  // the focus rectangle, 4 pixels in
  SetFocus(button.hwnd());
  const Picture focused = Print(button.hwnd());
  for (int x = 4; x < 76; ++x) dotted = dotted || focused.at(x, 4) != face;
  EXPECT_TRUE(dotted);
  EXPECT_EQ(normal.at(20, 4), face);
  button.SetTextColour(face);  // unreadable as chosen: drawn in a colour that reads
  EXPECT_GE(Print(button.hwnd()).BestContrast(face), kMinTextContrast);
  button.Enable(false);
  EXPECT_GE(Print(button.hwnd()).BestContrast(face), kMinTextContrast);
}

TEST_F(ControlsTest, ButtonsKeepTheirOwnCheckedStateAndTheRadioGroupRule) {
  std::array<HWND, 3> radios{};
  for (int i = 0; i < 3; ++i) {
    radios[static_cast<size_t>(i)] =
        Child("BUTTON", "r", BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 40, 20, kId + i);
  }
  Child("BUTTON", "c", BS_AUTOCHECKBOX | WS_GROUP, 40, 20, kId + 3);
  Child("BUTTON", "p", BS_PUSHBUTTON, 40, 20, kId + 4);
  std::array<OwnerDrawButton, 5> buttons;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(buttons[static_cast<size_t>(i)].Attach(dialog_, kId + i));
  const auto checked = [](const OwnerDrawButton& b) {
    return SendMessageA(b.hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  SendMessageA(radios[2], BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(radios[0], BM_CLICK, 0, 0);
  EXPECT_TRUE(checked(buttons[0]));
  EXPECT_FALSE(checked(buttons[2]));  // the walk wraps round the group
  SendMessageA(radios[1], BM_CLICK, 0, 0);
  EXPECT_FALSE(checked(buttons[0]));
  EXPECT_TRUE(checked(buttons[1]));
  SendMessageA(buttons[3].hwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(checked(buttons[3]));
  EXPECT_TRUE(checked(buttons[1]));  // another group
  SendMessageA(buttons[3].hwnd(), BM_CLICK, 0, 0);
  EXPECT_FALSE(checked(buttons[3]));
  SendMessageA(buttons[4].hwnd(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_FALSE(checked(buttons[4]));  // a push button never stays checked
}

TEST_F(ControlsTest, GroupFrameCutsItsCaptionIntoTheTopLine) {
  Child("BUTTON", "Data Rate", BS_GROUPBOX, 200, 80);
  GroupFrame frame;
  ASSERT_TRUE(frame.Attach(dialog_, kId));
  frame.SetLineColours(kBlue, RGB(0, 255, 0));
  const Picture p = Print(frame.hwnd());
  int line = -1;  // the first row the left line reaches
  for (int y = 0; y < p.height && line < 0; ++y) line = p.at(0, y) == kBlue ? y : -1;
  ASSERT_GE(line, 0);
  EXPECT_EQ(p.at(7, line), kBlue);  // up to the caption, 8 pixels from the corner
  EXPECT_NE(p.at(9, line), kBlue);
  EXPECT_EQ(p.at(199 - 1, line), kBlue);
  EXPECT_EQ(p.at(1, line + 1), RGB(0, 255, 0));  // the second line, one further in
  EXPECT_GE(p.BestContrast(kWhite), kMinTextContrast);
}

TEST_F(ControlsTest, GradientProgressFillsThePositionsShareInBands) {
  Child(PROGRESS_CLASSA, "", 0, 200, 10);
  GradientProgress bar;
  ASSERT_TRUE(bar.Attach(dialog_, kId));
  bar.SetColourStops({kBlue, kBlue});
  SendMessageA(bar.hwnd(), PBM_SETRANGE32, 0, 100);
  SendMessageA(bar.hwnd(), PBM_SETBKCOLOR, 0, kWhite);
  struct Row {
    int position, x;
    COLORREF colour;
  };
  for (const Row& row :
       {Row{37, 73, kBlue}, Row{37, 74, kWhite}, Row{100, 199, kBlue}, Row{0, 0, kWhite}}) {
    bar.SetPos(row.position);
    RECT client;
    GetClientRect(bar.hwnd(), &client);
    const int x = row.x * client.right / 200;
    EXPECT_EQ(Print(bar.hwnd()).at(x, 5), row.colour) << row.position << " at " << x;
  }
  SendMessageA(bar.hwnd(), PBM_SETBARCOLOR, 0, RGB(255, 0, 0));
  bar.SetPos(50);
  EXPECT_EQ(Print(bar.hwnd()).at(0, 5), RGB(255, 0, 0));
}

TEST_F(ControlsTest, StripChartScrollsOneColumnASample) {
  Child("STATIC", "", 0, 40, 100);
  StripChart chart;
  ASSERT_TRUE(chart.Attach(dialog_, kId));
  chart.SetRange(0, 100);
  const COLORREF green = RGB(0, 255, 0);
  const COLORREF grid = RGB(0, 128, 0);
  EXPECT_EQ(chart.AddSample(150), 100u);  // as drawn: the range's top
  Picture p = Print(chart.hwnd());
  EXPECT_EQ(p.at(36, 0), green);
  EXPECT_EQ(p.at(37, 99), green);
  EXPECT_EQ(p.at(38, 10), RGB(0, 0, 0));
  EXPECT_EQ(chart.AddSample(0), 0u);
  chart.SetRange(0, 100);  // a second range keeps the picture
  p = Print(chart.hwnd());
  EXPECT_EQ(p.at(32, 0), green);  // moved four pixels left
  EXPECT_EQ(p.at(36, 99), RGB(0, 0, 0));
  EXPECT_EQ(p.at(36, 50), grid);
  EXPECT_EQ(p.at(36, 25), grid);
  EXPECT_EQ(p.at(36, 75), grid);
}

bool Bluish(COLORREF c) { return GetBValue(c) > 160 && GetRValue(c) < 96 && GetGValue(c) < 96; }

TEST_F(ControlsTest, LabelTakesItsColoursHoverAndCursor) {
  Child("STATIC", "SiteSurvey", SS_NOTIFY, 120, 20);
  LabelStatic label;
  ASSERT_TRUE(label.Attach(dialog_, kId));
  const COLORREF ground = RGB(198, 216, 241);
  label.SetBackgroundColour(ground);
  label.SetTextColour(RGB(0, 0, 0));
  label.SetHoverColour(kBlue);
  label.SetHoverHighlight(true);
  label.SetBold(true);
  Picture p = Print(label.hwnd());
  EXPECT_EQ(p.at(119, 19), ground);
  EXPECT_FALSE(p.Has(Bluish));
  EXPECT_GE(p.BestContrast(ground), kMinTextContrast);
  label.SetMouseInside(true);
  EXPECT_TRUE(Print(label.hwnd()).Has(Bluish));
  label.SetMouseInside(false);
  EXPECT_FALSE(Print(label.hwnd()).Has(Bluish));

  const HCURSOR hand = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
  label.SetPointerCursor(hand);
  EXPECT_TRUE(SendMessageA(label.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(label.hwnd()),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), hand);
}

TEST_F(ControlsTest, EditBoxTakesItsColoursReadOnlyToo) {
  Child("EDIT", "Connected", ES_READONLY, 120, 20);
  CEditEx edit;
  ASSERT_TRUE(edit.Attach(dialog_, kId));
  const COLORREF yellow = RGB(255, 255, 0);
  edit.SetBackgroundColour(yellow);
  edit.SetTextColour(yellow);  // would not read: drawn in a colour that does
  const Picture p = Print(edit.hwnd());
  EXPECT_EQ(p.at(p.width - 1, p.height - 1), yellow);
  EXPECT_GE(p.BestContrast(yellow), kMinTextContrast);
}

void SetClipboard(HWND owner, const std::string& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

TEST_F(ControlsTest, KeyBoxFiltersAndWipesAMaskedKey) {
  Child("EDIT", "", ES_AUTOHSCROLL, 200, 20);
  HexKeyEdit key;
  ASSERT_TRUE(key.Attach(dialog_, kId));
  struct Row {
    bool hexOnly;
    UINT message;
    WPARAM input;  // a character, or a key for WM_KEYDOWN
    const char* clipboard;
    const char* text;  // afterwards
    bool masked;
  };
  const char* stored = "0123456789";
  for (const Row& row : {
           Row{true, WM_CHAR, 'g', nullptr, stored, true},  // dropped: the key stays
           Row{true, WM_CHAR, 'A', nullptr, "A", false},
           Row{true, WM_CHAR, 'f', nullptr, "f", false},
           Row{true, WM_CHAR, '/', nullptr, stored, true},  // just below '0'
           Row{true, WM_CHAR, ':', nullptr, stored, true},  // just above '9'
           Row{true, WM_CHAR, 0x08, nullptr, "", false},    // backspace wipes it
           Row{true, WM_CHAR, 0x7F, nullptr, stored, true},
           Row{false, WM_CHAR, 'g', nullptr, "g", false},
           Row{false, WM_CHAR, '~', nullptr, "~", false},
           Row{false, WM_CHAR, 0x0D, nullptr, stored, true},
           Row{true, WM_KEYDOWN, VK_DELETE, nullptr, "", false},
           Row{true, WM_CHAR, 0x16, "zz12ab", "12ab", false},  // Ctrl+V, filtered
           Row{true, WM_PASTE, 0, "zz", stored, true},         // nothing taken: stays masked
           Row{false, WM_PASTE, 0, "k\x01y", "ky", false},
       }) {
    key.SetHexOnly(row.hexOnly);
    SetWindowTextA(key.hwnd(), stored);
    key.SetMasked(true);
    if (row.clipboard != nullptr) SetClipboard(dialog_, row.clipboard);
    SendMessageA(key.hwnd(), row.message, row.input, 1);
    EXPECT_EQ(key.Text(), row.text) << row.message << " " << row.input;
    EXPECT_EQ(key.masked(), row.masked) << row.message << " " << row.input;
  }
  SetWindowTextA(key.hwnd(), stored);
  key.SetMasked(false);
  SendMessageA(key.hwnd(), EM_SETSEL, 10, 10);
  SendMessageA(key.hwnd(), WM_CHAR, '7', 1);
  EXPECT_EQ(key.Text(), "01234567897");  // unmasked, typing goes on
  key.SetLimit(5);
  EXPECT_EQ(key.Text(), "01234");
}

// A GIF of 3 x 1 pixels, one frame a pixel: a screen colour table of four colours and a frame
// per entry of `colours`, each with a graphic control extension.
std::vector<uint8_t> MakeGif(const std::vector<uint8_t>& colours, bool cut = false) {
  std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 3, 0,   1, 0, 0x81, 0,  0,
                              0,   0,   0,   255, 0,   0,   0, 255, 0, 0, 0,    255};
  for (size_t i = 0; i < colours.size(); ++i) {
    const auto left = static_cast<uint8_t>(i % 3);
    const std::vector<uint8_t> frame = {
        0x21, 0xF9, 4,    0x08, 0, 0, 0,
        0,    0x2C, left, 0,    0, 0, 1,
        0,    1,    0,    0,    2, 2, static_cast<uint8_t>(0x44 | colours[i] << 3),
        1,    0};
    gif.insert(gif.end(), frame.begin(), frame.end());
  }
  if (cut) {
    gif.insert(gif.end(), {0x21, 0xFE, 9, 'c'});  // a comment running past the end
  } else {
    gif.push_back(0x3B);
  }
  return gif;
}

// The About picture (four frames here): the window takes its size, and the worker's first
// frame reaches the off-screen picture (the test waits for the repaint it asks for).
TEST_F(ControlsTest, PictureAnimatesTheAboutGif) {
  Child("STATIC", "", SS_LEFT, 10, 10);
  AnimatedPicture picture;
  ASSERT_TRUE(picture.Attach(dialog_, kId));
  ASSERT_TRUE(picture.LoadFromResource(150, "GIF"));
  EXPECT_TRUE(picture.IsAnimated());
  ShowWindow(dialog_, SW_SHOWNOACTIVATE);  // a hidden window gathers no repaint
  RECT client;
  GetClientRect(picture.hwnd(), &client);
  EXPECT_EQ(client.right, 134);
  EXPECT_EQ(client.bottom, 122);
  ValidateRect(picture.hwnd(), nullptr);
  const COLORREF menu = GetSysColor(COLOR_MENU);
  EXPECT_EQ(Print(picture.hwnd()).at(67, 61), menu);  // nothing drawn before Draw
  EXPECT_FALSE(picture.Draw());
  const DWORD start = GetTickCount();
  for (DWORD waited = 0; !GetUpdateRect(picture.hwnd(), nullptr, FALSE) && waited < 5000;
       waited = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000 - waited, QS_PAINT);
  }
  picture.Stop();
  int blue = 0;  // the picture's dark blue covers 2476 pixels of its first frame
  for (const COLORREF c : Print(picture.hwnd()).pixels) blue += c == RGB(30, 60, 120);
  EXPECT_GT(blue, 2000);
}

TEST_F(ControlsTest, PictureSplitsAGifIntoFramesAndStopsItsWorker) {
  Child("STATIC", "", SS_LEFT, 10, 10);
  AnimatedPicture picture;
  ASSERT_TRUE(picture.Attach(dialog_, kId));
  const std::vector<uint8_t> one = MakeGif({1});
  ASSERT_TRUE(picture.Load(one.data(), one.size()));
  EXPECT_FALSE(picture.IsAnimated());
  EXPECT_TRUE(picture.Draw());
  EXPECT_EQ(Print(picture.hwnd()).at(0, 0), RGB(255, 0, 0));

  const std::vector<uint8_t> cut = MakeGif({1, 2}, true);  // whole frames before the end stay
  ASSERT_TRUE(picture.Load(cut.data(), cut.size()));
  EXPECT_EQ(picture.FrameCount(), 2u);
  const std::vector<uint8_t> three = MakeGif({1, 2, 3});
  ASSERT_TRUE(picture.Load(three.data(), three.size()));
  EXPECT_TRUE(picture.IsAnimated());
  EXPECT_EQ(picture.FrameCount(), 3u);
  EXPECT_FALSE(picture.Draw());  // the worker draws
  EXPECT_FALSE(picture.Draw());  // once
  picture.Stop();                // wakes it out of its wait and joins it
  picture.Unload();
  EXPECT_FALSE(picture.IsAnimated());
  const char junk[] = "not a picture";
  EXPECT_FALSE(picture.Load(junk, sizeof junk));
}

TEST_F(ControlsTest, ParentMessagesForOtherWindowsAreNotTaken) {
  const HWND plain = Child("STATIC", "x", 0, 20, 20);
  INT_PTR result = 0;
  EXPECT_FALSE(
      ReflectToControl(dialog_, WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(plain), &result));
  LabelStatic label;
  ASSERT_TRUE(label.Attach(dialog_, kId));
  DestroyWindow(plain);
  EXPECT_EQ(label.hwnd(), nullptr);  // the window went: the control let go of it
}

}  // namespace
}  // namespace nv::win
