#include "ui/about_page.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QLabel>

#include "adapter/operations.h"
#include "controls/group_frame.h"
#include "logic/about_texts.h"

namespace nv {

namespace {

constexpr int kRowHeight = 24;

QLineEdit* VersionBox(const char* name, const char* label, int row, QWidget* frame) {
  auto* caption = new QLabel(QString::fromLatin1(label), frame);
  caption->setGeometry(24, 34 + row * (kRowHeight + 12), 140, kRowHeight);
  auto* box = new QLineEdit(frame);
  box->setObjectName(QString::fromLatin1(name));
  box->setAccessibleName(QString::fromLatin1(label));
  box->setGeometry(170, 34 + row * (kRowHeight + 12), 180, kRowHeight);
  box->setAlignment(Qt::AlignCenter);
  box->setEnabled(false);
  QPalette p = box->palette();  // white like the page, the text still reads as disabled
  p.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(96, 96, 96));
  box->setPalette(p);
  caption->setBuddy(box);
  return box;
}

}  // namespace

AboutPage::AboutPage(AdapterIo* io, QWidget* parent)
    : ConfigPage(QStringLiteral("aboutPage"), parent), picture_(new AnimatedPicture(this)) {
  picture_->setObjectName(QStringLiteral("aboutPicture"));
  picture_->move(20, 16);
  auto* title = new QLabel(QStringLiteral("WLAN Monitor/Configuration Utility"), this);
  title->setObjectName(QStringLiteral("aboutTitle"));
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  // 250 pixels hold the title in the window's own face; a wider system face gets what it needs.
  const int width = std::max(250, QFontMetrics(bold).horizontalAdvance(title->text()) + 4);
  title->setGeometry(170, 60, width, 40);
  BuildVersionFrame();
  FillVersions(io);
}

void AboutPage::BuildVersionFrame() {
  auto* group = new GroupFrame(QStringLiteral("Version Information"), this);
  group->setObjectName(QStringLiteral("versionFrame"));
  group->setGeometry(20, 160, 380, 150);
  group->SetCaptionFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));
  group->SetCaptionColour(QColor(0, 0, 128));  // navy
  group->SetLineColours(QColor(128, 128, 128), QColor(128, 128, 128));
  frame_ = group;
  driver_ = VersionBox("driverVersionEdit", "Driver Version", 0, frame_);
  firmware_ = VersionBox("firmwareVersionEdit", "Firmware Version", 1, frame_);
  utility_ = VersionBox("utilityVersionEdit", "Utility Version", 2, frame_);
}

void AboutPage::FillVersions(AdapterIo* io) {
  DriverVersions versions{};
  if (io != nullptr) {
    ReadVersions(*io, versions);
  } else {
    versions.result = kReadFailed;
  }
  const AboutTexts texts = MakeAboutTexts(versions);
  if (!texts.read) return;  // boxes and picture stay empty
  utility_->setText(QString::fromStdString(texts.utility));
  driver_->setText(QString::fromStdString(texts.driver));
  firmware_->setText(QString::fromStdString(texts.firmware));
  if (picture_->LoadFromResource(kAboutPictureId, QStringLiteral("GIF"))) picture_->Draw();
}

}  // namespace nv
