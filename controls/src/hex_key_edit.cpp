#include "controls/hex_key_edit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <memory>

#include "controls/key_filter.h"

namespace nv {

namespace {

bool IsTyping(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text) {
    if (!c.isPrint()) return false;
  }
  return true;
}

}  // namespace

HexKeyEdit::HexKeyEdit(QWidget* parent) : CEditEx(parent) {
  // Dropped text would bypass the filter and the mask.
  setAcceptDrops(false);
  // The platform's password character may be a bullet; the key boxes show '*'.
  setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
}

void HexKeyEdit::SetMasked(bool on) { setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal); }

void HexKeyEdit::ClearMask() {
  setText(QString());  // also forgets the undo history, which holds the stored key
  SetMasked(false);
  Q_EMIT maskCleared();
}

QString HexKeyEdit::Filter(const QString& text) const {
  QString accepted;
  for (const QChar c : text) {
    if (AcceptsKeyChar(c.unicode(), hexOnly_)) accepted.append(c);
  }
  return accepted;
}

void HexKeyEdit::PasteFiltered(QClipboard::Mode mode) {
  if (isReadOnly()) return;
  const QString accepted = Filter(QGuiApplication::clipboard()->text(mode));
  if (accepted.isEmpty()) return;  // nothing taken: a masked key stays as it was
  if (IsMasked()) ClearMask();
  insert(accepted);
}

void HexKeyEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteFiltered();
    event->accept();
    return;
  }
  if (isReadOnly()) {
    CEditEx::keyPressEvent(event);
    return;
  }
  const QString typed = event->text();
  if (IsTyping(typed)) {
    if (Filter(typed) != typed) {
      event->accept();  // dropped without a sound
      return;
    }
    if (IsMasked()) ClearMask();
    CEditEx::keyPressEvent(event);
    return;
  }
  if (IsMasked() && (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
    ClearMask();
    event->accept();
    return;
  }
  // Any other edit of a masked key (cut a word, delete to the end, undo) wipes it as well.
  const QString before = text();
  const bool masked = IsMasked();
  CEditEx::keyPressEvent(event);
  if (masked && text() != before) ClearMask();
}

void HexKeyEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (!commit.isEmpty() && (Filter(commit) != commit || isReadOnly())) {
    event->accept();
    return;
  }
  if (!commit.isEmpty() && IsMasked()) ClearMask();
  CEditEx::inputMethodEvent(event);
}

void HexKeyEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The selection paste of the middle button goes through the filter too.
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    PasteFiltered(QClipboard::Selection);
    event->accept();
    return;
  }
  CEditEx::mouseReleaseEvent(event);
}

void HexKeyEdit::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(createStandardContextMenu());
  if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
    disconnect(paste, &QAction::triggered, this, &QLineEdit::paste);
    connect(paste, &QAction::triggered, this, [this] { PasteFiltered(); });
  }
  const QString before = text();
  const bool masked = IsMasked();
  menu->exec(event->globalPos());
  if (masked && IsMasked() && text() != before) ClearMask();
  event->accept();
}

}  // namespace nv
