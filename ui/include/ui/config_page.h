// One page slot of the configuration window. The pages themselves derive from it; until they
// exist each slot is an empty white page named after its label.
#pragma once

#include <QWidget>

namespace nv {

class ConfigPage : public QWidget {
  Q_OBJECT

 public:
  ConfigPage(const QString& label, QWidget* parent);
  // Shows the stored configuration again (the Configuration and Security pages).
  virtual void Reload() {}
  int reloads() const { return reloads_; }

 protected:
  int reloads_ = 0;
};

}  // namespace nv
