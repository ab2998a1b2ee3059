// The box for one WEP key. With the hex filter on it takes only 0-9, A-F and a-f; off, any
// printable ASCII character. Everything else, typed, pasted or dropped, is discarded without a
// sound; control characters never enter. A masked box (a stored key shown as '*') is emptied
// and shows its text in clear from the first accepted keystroke on, backspace and delete
// included, so a stored key is never edited unseen nor revealed.
#pragma once

#include <QClipboard>

#include "controls/edit_ex.h"

namespace nv {

class HexKeyEdit : public CEditEx {
  Q_OBJECT

 public:
  explicit HexKeyEdit(QWidget* parent = nullptr);

  void SetHexOnly(bool on) { hexOnly_ = on; }
  bool hexOnly() const { return hexOnly_; }
  // Masked: the text shows as '*' and cannot be copied; the next accepted input empties it.
  void SetMasked(bool on);
  bool IsMasked() const { return echoMode() == QLineEdit::Password; }
  // The most characters the box takes; a longer text is cut (setMaxLength).
  void SetLimit(int characters) { setMaxLength(characters); }

  // What the box would take from `text`: the accepted characters, in order.
  QString Filter(const QString& text) const;
  // Inserts the accepted part of the clipboard at the cursor (all paste routes end here).
  void PasteFiltered(QClipboard::Mode mode = QClipboard::Clipboard);

 Q_SIGNALS:
  // The box was emptied and unmasked by the user's first edit.
  void maskCleared();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void ClearMask();

  bool hexOnly_ = false;
};

}  // namespace nv
