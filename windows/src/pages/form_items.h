// Small helpers for a dialog's plain controls, shared by the Security and Site Survey pages and
// the Profile dialog: drop-down lists addressed by position (-1: no selection), texts as the
// ANSI bytes they are (names and SSIDs are the registry's bytes; no conversion on Windows).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace nv::win {

// Empties `list` and appends `texts` in their order (the position is the stored value).
template <typename Texts>
void FillList(HWND list, const Texts& texts) {
  SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (std::string_view text : texts) {
    const std::string entry(text);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
}

// Selects `position`; anything outside the list clears the selection.
void SelectEntry(HWND list, int position);
int Selection(HWND list);  // -1 when nothing is selected
std::string SelectedText(HWND list);

std::string WindowBytes(HWND window);
void SetWindowBytes(HWND window, const std::string& bytes);

bool IsChecked(HWND button);
void SetChecked(HWND button, bool on);

// A disabled or read-only edit box asks for its colours as a static does: it keeps the system's
// (a grey face), so that a box the user cannot type into does not look like one he can.
bool KeepsSystemColours(UINT message, LPARAM control);

// Paints an owner-drawn push button as a plain one, for as long as no drawing control has
// taken it (ReflectToControl did not answer WM_DRAWITEM).
bool DrawPlainButton(const DRAWITEMSTRUCT& item);

}  // namespace nv::win
