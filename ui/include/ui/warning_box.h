// The window's messages (the WEP key length "Warning", what a change did not do, questions),
// behind seams so that tests can answer them without a modal wait.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace nv {

// Shows `text` with `caption`, an information icon and an OK button, owned by `parent`, and
// returns when it is answered (or closed with the window).
using WarningBox =
    std::function<void(QWidget* parent, const QString& caption, const QString& text)>;

// The real box: modal to the configuration window only, so the tray stays usable.
void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text);

// Says `lines` (logic/change_message.h, UTF-8) in one box with the window's title; nothing when
// there are none. Call it last: the page may end while the box is up.
void ReportProblems(const WarningBox& box, QWidget* parent, const std::vector<std::string>& lines);

// Asks a yes/no question; true for Yes.
using QuestionBox =
    std::function<bool(QWidget* parent, const QString& caption, const QString& text)>;
bool AskQuestionBox(QWidget* parent, const QString& caption, const QString& text);

}  // namespace nv
