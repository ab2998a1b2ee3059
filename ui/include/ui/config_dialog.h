// The configuration window: a column of five page labels and a frame showing one page. One
// object lives as long as the program; each opening creates the pages anew and starts on
// page 0. The window is not modal to the rest of the program: the tray's clicks and tick go
// on while it is open.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "controls/label_static.h"
#include "logic/window_pages.h"
#include "ui/config_page.h"

class QFrame;

namespace nv {

class ConfigDialog : public QDialog {
  Q_OBJECT

 public:
  using PageFactory = std::function<ConfigPage*(int index, QWidget* frame)>;

  explicit ConfigDialog(QWidget* parent = nullptr);
  ~ConfigDialog() override;

  // Creates the pages, shows page 0 and the window, and returns; `finished` tells the end.
  void OpenWindow();
  // OpenWindow, then wait until the window ends (tests and tools; the tray uses OpenWindow).
  int Run();
  // Brings the open window to the front of the others.
  void BringToFront();
  void ShowPage(int index);
  // Ends the window and closes every dialog and message box it owns, nested ones included.
  void CloseWithPopups();
  // The next or previous page, in label order, wrapping around (Ctrl+Tab, Ctrl+PageDown...).
  void ShowNextPage(int step);

  // Who makes the pages (the default: empty pages named after their labels).
  void SetPageFactory(PageFactory factory) { factory_ = std::move(factory); }
  // What showing the Site Survey page refreshes (its survey and profile lists).
  void SetSurveyRefresh(std::function<void()> refresh) { surveyRefresh_ = std::move(refresh); }

  int currentPage() const { return currentPage_; }
  // cppcheck-suppress CastIntegerToAddressAtReturn ; the arrays hold pointers (Qt types unseen)
  ConfigPage* page(int index) const { return pages_[static_cast<size_t>(index)]; }
  // cppcheck-suppress CastIntegerToAddressAtReturn ; as above
  LabelStatic* label(int index) const { return labels_[static_cast<size_t>(index)]; }
  // Opens the pages and sets up the labels without showing the window (for tests and OpenWindow).
  void OpenPages();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override {}  // Escape does not close the window

 private:
  void SetUpLabels();
  void SetUpKeyboard();
  void ClosePages();

  QFrame* frame_;
  std::array<LabelStatic*, 5> labels_{};
  std::array<ConfigPage*, 5> pages_{};
  int currentPage_ = -1;
  PageFactory factory_;
  std::function<void()> surveyRefresh_;
};

// Page labels answer screen readers as page tabs, and drop-down lists by their labels (not their
// values); installed once, by the window and its pages.
void InstallPageTabAccessibility();

}  // namespace nv
