// One page slot of the configuration window. The pages derive from it; a slot without a page
// of its own is an empty white page named after its label. Every page has the same size,
// kPageSize, and the window places it at the frame's top-left corner as it is.
#pragma once

#include <QSize>
#include <QWidget>

namespace nv {

inline constexpr QSize kPageSize{500, 420};

class ConfigPage : public QWidget {
  Q_OBJECT

 public:
  ConfigPage(const QString& name, QWidget* parent);
  // Shows the stored configuration again (the Configuration and Security pages).
  virtual void Reload() {}

 Q_SIGNALS:
  // The page asks its window to show a page (0..4, or 9: the stored configuration changed).
  void showPageRequested(int index);
};

}  // namespace nv
