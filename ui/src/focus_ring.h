// A ring drawn round a widget while it has the keyboard focus, for widgets whose style shows
// no focus of their own (a list with no rows shows nothing at all to show it on).
#pragma once

#include <QWidget>

namespace nv {

class FocusRing : public QWidget {
 public:
  // Follows `target`'s size and focus from now on; owned by it.
  explicit FocusRing(QWidget* target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace nv
