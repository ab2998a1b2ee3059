// The four WEP key rows, the key format, the passphrase and "Done", as the Security page and
// the Profile dialog both show them: a default-key radio button, the key box and its size
// list per row. Stored keys come in masked, in HEX; a size or format the user picks sets the
// boxes' limits (a format change empties them); "Done" fills the boxes from the passphrase in
// HEX, shown, and leaves the boxes' hex filters as they were.
#pragma once

#include <QWidget>
#include <array>

#include "logic/page_rules.h"

class QComboBox;
class QLineEdit;

namespace nv {

class HexKeyEdit;
class OwnerDrawButton;

class KeyGroup : public QWidget {
  Q_OBJECT

 public:
  explicit KeyGroup(QWidget* parent);

  // The stored keys of `view`; the format goes back to HEX and the passphrase is emptied.
  void Show(const SecurityView& view);
  void SetKeysEnabled(bool on);
  // The default key, format, key texts and sizes the user left.
  void Fill(SecurityInput& input) const;
  void GenerateKeys();  // "Done"

  int keyFormat() const { return keyFormat_; }

 private:
  void ChangeKeyFormat(int format);
  void ChangeKeySize(size_t key, int size);

  int keyFormat_ = kKeyFormatHex;  // the format last put in force
  QComboBox* keyFormatList_ = nullptr;
  QLineEdit* passphraseEdit_ = nullptr;
  OwnerDrawButton* doneButton_ = nullptr;
  std::array<OwnerDrawButton*, 4> defaultKeyButtons_{};
  std::array<HexKeyEdit*, 4> keyEdits_{};
  std::array<QComboBox*, 4> keySizeLists_{};
};

}  // namespace nv
