// Looks at and drives another program's windows from outside, as other Windows programs can:
//   win_inspect find TITLE               0 when a top-level window titled TITLE exists, else 1
//   win_inspect close TITLE              sends it WM_CLOSE and waits up to 5 s for it to go
//   win_inspect settext TITLE ID TEXT    WM_SETTEXT on the control ID anywhere inside it
//   win_inspect gettext TITLE ID         prints the control's text (WM_GETTEXT)
//   win_inspect click TITLE ID           BM_CLICK on the control (posted: a box it opens does
//                                        not hold this program)
//   win_inspect select TITLE ID INDEX    CB_SETCURSEL and the list's CBN_SELCHANGE to its page
//   win_inspect classes TITLE            prints "ID CLASS" of every control inside it
//   win_inspect syscommand TITLE CODE    posts WM_SYSCOMMAND CODE (0xF060 is SC_CLOSE)
// Exit status 2 for a usage error, 3 when the window or control is not there.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
  int id;
  HWND found;
};

// The control with the ID on the page shown (pages share IDs; the hidden ones are skipped).
BOOL CALLBACK MatchId(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (GetDlgCtrlID(child) != search->id || !IsWindowVisible(child)) return TRUE;
  search->found = child;
  return FALSE;
}

BOOL CALLBACK PrintControl(HWND child, LPARAM) {
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  std::printf("%d %s\n", GetDlgCtrlID(child), name);
  return TRUE;
}

HWND Control(HWND top, const char* id) {
  Search search{std::atoi(id), nullptr};
  EnumChildWindows(top, MatchId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Close(const char* title, HWND window) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  for (int i = 0; i < 50 && FindWindowA(nullptr, title) != nullptr; ++i) Sleep(100);
  return FindWindowA(nullptr, title) == nullptr ? 0 : 3;
}

int OnControl(const char* verb, HWND control, int argc, char** argv) {
  DWORD_PTR result = 0;
  if (std::strcmp(verb, "settext") == 0 && argc == 5) {
    SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), SMTO_ABORTIFHUNG,
                        2000, &result);
    return 0;
  }
  if (std::strcmp(verb, "gettext") == 0 && argc == 4) {
    char text[512] = {};
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, &result);
    std::printf("%s\n", text);
    return 0;
  }
  if (std::strcmp(verb, "click") == 0 && argc == 4) {
    PostMessageA(control, BM_CLICK, 0, 0);
    return 0;
  }
  if (std::strcmp(verb, "select") == 0 && argc == 5) {
    SendMessageTimeoutA(control, CB_SETCURSEL, static_cast<WPARAM>(std::atoi(argv[4])), 0,
                        SMTO_ABORTIFHUNG, 2000, &result);
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
    return 0;
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const char* verb = argv[1];
  HWND window = FindWindowA(nullptr, argv[2]);
  if (std::strcmp(verb, "find") == 0) return window != nullptr ? 0 : 1;
  if (window == nullptr) return 3;
  if (std::strcmp(verb, "close") == 0) return Close(argv[2], window);
  if (std::strcmp(verb, "syscommand") == 0 && argc == 4) {
    PostMessageA(window, WM_SYSCOMMAND, std::strtoul(argv[3], nullptr, 0), 0);
    return 0;
  }
  if (std::strcmp(verb, "classes") == 0) {
    EnumChildWindows(window, PrintControl, 0);
    return 0;
  }
  if (argc < 4) return 2;
  HWND control = Control(window, argv[3]);
  if (control == nullptr) return 3;
  return OnControl(verb, control, argc, argv);
}
