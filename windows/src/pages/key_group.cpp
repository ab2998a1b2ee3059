#include "key_group.h"

#include <algorithm>

#include "form_items.h"

namespace nv::win {

void KeyGroup::Attach(HWND dialog) {
  dialog_ = dialog;
  for (size_t i = 0; i < 4; ++i) {
    edits_[i].Attach(dialog, ids_.keys[i]);
    FillList(Item(ids_.sizes[i]), kKeySizeTexts);
  }
  FillList(Item(ids_.format), kKeyFormatTexts);
  SendMessageA(Item(ids_.passphrase), EM_LIMITTEXT, kMaxPassphraseChars, 0);
}

void KeyGroup::Show(const SecurityView& view) {
  SelectEntry(Item(ids_.format), kKeyFormatHex);
  keyFormat_ = kKeyFormatHex;
  for (size_t i = 0; i < 4; ++i) {
    HexKeyEdit& box = edits_[i];
    box.SetHexOnly(true);
    box.SetMasked(false);
    const KeyBoxView& key = view.keys[i];
    if (key.sizeIndex >= 0) SelectEntry(Item(ids_.sizes[i]), key.sizeIndex);  // else it stays
    box.SetLimit(ShownKeyBoxLimit(key, Selection(Item(ids_.sizes[i]))));
    SetWindowBytes(box.hwnd(), key.text);
    box.SetMasked(true);  // a stored key is never shown
  }
  for (int id : ids_.defaultKeys) SetChecked(Item(id), false);
  if (view.defaultKey >= 0 && view.defaultKey < 4) {
    SetChecked(Item(ids_.defaultKeys[static_cast<size_t>(view.defaultKey)]), true);
  }
  SetWindowBytes(Item(ids_.passphrase), "");
}

void KeyGroup::Enable(bool on) {
  for (size_t i = 0; i < 4; ++i) {
    EnableWindow(Item(ids_.defaultKeys[i]), on);
    EnableWindow(edits_[i].hwnd(), on);
    EnableWindow(Item(ids_.sizes[i]), on);
  }
  EnableWindow(Item(ids_.format), on);
  EnableWindow(Item(ids_.passphrase), on);
  EnableWindow(Item(ids_.done), on);
}

void KeyGroup::Fill(SecurityInput& input) const {
  input.defaultKey = -1;
  for (size_t i = 0; i < 4 && input.defaultKey < 0; ++i) {
    if (IsChecked(Item(ids_.defaultKeys[i]))) input.defaultKey = static_cast<int>(i);
  }
  input.keyFormat = Selection(Item(ids_.format));
  for (size_t i = 0; i < 4; ++i) {
    input.keyTexts[i] = edits_[i].Text();
    input.keySizes[i] = Selection(Item(ids_.sizes[i]));
  }
}

bool KeyGroup::OnCommand(int id, int code) {
  if (id == ids_.done && code == BN_CLICKED) {
    GenerateKeys();
    return true;
  }
  if (code != CBN_SELCHANGE) return false;
  if (id == ids_.format) {
    ChangeKeyFormat();
    return true;
  }
  const auto size = std::find(ids_.sizes.begin(), ids_.sizes.end(), id);
  if (size == ids_.sizes.end()) return false;
  ChangeKeySize(static_cast<size_t>(size - ids_.sizes.begin()));
  return true;
}

void KeyGroup::ChangeKeyFormat() {
  const int format = Selection(Item(ids_.format));
  if (!KeyFormatChanges(keyFormat_, format)) return;
  keyFormat_ = format;
  for (size_t i = 0; i < 4; ++i) {
    edits_[i].SetLimit(KeyBoxLimit(Selection(Item(ids_.sizes[i])), format));
    SetWindowBytes(edits_[i].hwnd(), "");
    edits_[i].SetHexOnly(format == kKeyFormatHex);
  }
}

void KeyGroup::ChangeKeySize(size_t key) {
  const int limit = KeyBoxLimit(Selection(Item(ids_.sizes[key])), Selection(Item(ids_.format)));
  HexKeyEdit& box = edits_[key];
  const std::string cut = CutKeyText(box.Text(), limit);
  box.SetLimit(limit);
  SetWindowBytes(box.hwnd(), cut);
}

void KeyGroup::GenerateKeys() {
  const int size = Selection(Item(ids_.sizes[0]));
  const std::vector<std::string> keys =
      KeysFromPassphrase(WindowBytes(Item(ids_.passphrase)), size);
  if (keys.size() != 4) return;  // an empty passphrase or no size: nothing happens
  for (size_t i = 0; i < 4; ++i) {
    SelectEntry(Item(ids_.sizes[i]), size);
    edits_[i].SetLimit(KeyBoxLimit(size, kKeyFormatHex));
    edits_[i].SetMasked(false);  // generated keys are shown
    SetWindowBytes(edits_[i].hwnd(), keys[i]);
  }
  SelectEntry(Item(ids_.format), kKeyFormatHex);  // the boxes' hex filters stay as they were
  keyFormat_ = kKeyFormatHex;
}

}  // namespace nv::win
