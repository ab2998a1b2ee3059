// Looks for a top-level window by its title, as other Windows programs find the running monitor:
//   find_window TITLE          exit 0 when such a window exists, 1 when not
//   find_window --close TITLE  also sends it WM_CLOSE and waits up to 5 s for it to go
#include <windows.h>
#include <cstring>

int main(int argc, char** argv) {
  const int askToClose = argc == 3 && std::strcmp(argv[1], "--close") == 0;
  if (argc != 2 + askToClose) return 2;
  const char* title = argv[1 + askToClose];
  HWND window = FindWindowA(nullptr, title);
  if (window == nullptr) return 1;
  if (!askToClose) return 0;
  DWORD_PTR result = 0;
  SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
  for (int i = 0; i < 50 && FindWindowA(nullptr, title) != nullptr; ++i) Sleep(100);
  return FindWindowA(nullptr, title) == nullptr ? 0 : 3;
}
