// The four WEP key rows (default key, key box, size), the key format, the passphrase and
// "Done", as the Security page and the Profile dialog both have them (each with its own
// control IDs). Stored keys come in masked, in HEX; a size or format the user picks sets the
// boxes' limits (a real format change empties them); "Done" fills the boxes from the
// passphrase in HEX, shown, and leaves the boxes' hex filters as they were.
#pragma once

#include <windows.h>

#include <array>

#include "logic/page_rules.h"
#include "win/controls.h"

namespace nv::win {

struct KeyGroupIds {
  std::array<int, 4> defaultKeys;  // radio buttons "1".."4"
  std::array<int, 4> keys;         // key boxes
  std::array<int, 4> sizes;        // "Key Length" lists
  int format;
  int passphrase;
  int done;
};

class KeyGroup {
 public:
  explicit KeyGroup(const KeyGroupIds& ids) : ids_(ids) {}

  // Takes over the key boxes and fills the size and format lists (at the dialog's set-up).
  void Attach(HWND dialog);
  // The stored keys of `view`; the format goes back to HEX and the passphrase is emptied.
  void Show(const SecurityView& view);
  // The key group follows "Data Encryption"; the authentication list is not part of it.
  void Enable(bool on);
  // The default key, format, key texts and sizes the user left.
  void Fill(SecurityInput& input) const;
  // A format or size change, or "Done"; true when the command was the group's.
  bool OnCommand(int id, int code);
  void GenerateKeys();

  int keyFormat() const { return keyFormat_; }
  const HexKeyEdit& key(size_t index) const { return edits_[index]; }

 private:
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  void ChangeKeyFormat();
  void ChangeKeySize(size_t key);

  KeyGroupIds ids_;
  HWND dialog_ = nullptr;
  int keyFormat_ = kKeyFormatHex;  // the format last put in force
  std::array<HexKeyEdit, 4> edits_;
};

}  // namespace nv::win
