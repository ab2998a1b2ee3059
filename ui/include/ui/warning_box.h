// The one message the user ever sees (the WEP key length "Warning"), behind a seam so that
// tests can answer it without a modal wait.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace nv {

// Shows `text` with `caption`, an information icon and an OK button, owned by `parent`, and
// returns when it is answered (or closed with the window).
using WarningBox = std::function<void(QWidget* parent, const QString& caption, const QString& text)>;

// The real box: modal to the configuration window only, so the tray stays usable.
void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text);

}  // namespace nv
