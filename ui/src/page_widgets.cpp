#include "page_widgets.h"

#include "logic/code_page.h"

namespace nv::pages {

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Latin1(const QString& text) { return text.toLatin1().toStdString(); }

QString FromRegistryText(std::string_view text) {
  QString out;
  for (const char byte : text) {
    const char32_t point = FromWindows1252(static_cast<uint8_t>(byte));
    out += QChar(static_cast<char16_t>(point));  // every one is in the basic plane
  }
  return out;
}

std::string ToRegistryText(const QString& text) {
  std::string out;
  for (const char32_t point : text.toUcs4()) {
    uint8_t byte = '?';
    ToWindows1252(point, &byte);
    out += static_cast<char>(byte);
  }
  return out;
}

QLabel* Caption(const QString& text, QWidget* parent, const QRect& where, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(where);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (buddy) {
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
  }
  return label;
}

void Select(QComboBox* list, int position) {
  list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

OwnerDrawButton* Choice(OwnerDrawButton::Kind kind, const QString& caption, const QString& objectName,
                        QWidget* parent, const QRect& where) {
  auto* button = new OwnerDrawButton(kind, caption, parent);
  button->setObjectName(objectName);
  button->setAccessibleName(caption);
  button->SetCaptionAlignment(Qt::AlignLeft);
  QPalette p = button->palette();
  p.setColor(QPalette::Button, Qt::white);  // its face is the page's
  button->setPalette(p);
  button->setGeometry(where);
  return button;
}

OwnerDrawButton* PushButton(const QString& caption, const char* objectName, QWidget* parent,
                            const QRect& where) {
  auto* button = new OwnerDrawButton(OwnerDrawButton::Kind::Push, caption, parent);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setAccessibleName(caption);
  button->setGeometry(where);
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

}  // namespace nv::pages
