// The "About" page: the driver, firmware and utility versions in a group frame, and the picture.
// It reads the adapter once, when the window creates it at each opening.
#pragma once

#include <QLineEdit>

#include "adapter/adapter_io.h"
#include "controls/animated_picture.h"
#include "controls/group_frame.h"
#include "ui/config_page.h"

namespace nv {

inline constexpr int kAboutPictureId = 150;

class AboutPage : public ConfigPage {
  Q_OBJECT

 public:
  // `io`: the adapter's transport; null: no adapter.
  AboutPage(AdapterIo* io, QWidget* parent);

  AnimatedPicture* picture() const { return picture_; }
  QLineEdit* driverVersionEdit() const { return driver_; }
  QLineEdit* firmwareVersionEdit() const { return firmware_; }
  QLineEdit* utilityVersionEdit() const { return utility_; }
  GroupFrame* versionFrame() const { return frame_; }

 private:
  void BuildVersionFrame();
  void FillVersions(AdapterIo* io);

  AnimatedPicture* picture_;
  GroupFrame* frame_ = nullptr;
  QLineEdit* driver_ = nullptr;
  QLineEdit* firmware_ = nullptr;
  QLineEdit* utility_ = nullptr;
};

}  // namespace nv
