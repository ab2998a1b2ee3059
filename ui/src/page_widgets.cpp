#include "page_widgets.h"

namespace nv::pages {

QPalette WindowPalette(const QColor& window) {
  const QColor black(0, 0, 0), white(255, 255, 255), face(240, 240, 240);
  const QColor disabledText(90, 90, 90);  // 4.7:1 on the window's blue, more on white
  // Dark is also the greyed (embossed) caption of a disabled owner-drawn button: 4.6:1 on the
  // button face, more on white.
  QPalette p(black, face, white, QColor(108, 108, 108), QColor(200, 200, 200), black, white, white,
             window);
  p.setColor(QPalette::Midlight, QColor(227, 227, 227));
  p.setColor(QPalette::Shadow, QColor(105, 105, 105));
  p.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
  p.setColor(QPalette::Highlight, QColor(0, 84, 166));  // white on it: 7.3:1
  p.setColor(QPalette::HighlightedText, white);
  p.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
  p.setColor(QPalette::ToolTipText, black);
  p.setColor(QPalette::PlaceholderText, disabledText);
  p.setColor(QPalette::Link, QColor(0, 0, 238));
  p.setColor(QPalette::LinkVisited, QColor(85, 26, 139));
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, disabledText);
  }
  p.setColor(QPalette::Disabled, QPalette::Base, face);
  p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(120, 120, 120));
  return p;
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

OwnerDrawButton* Choice(OwnerDrawButton::Kind kind, const QString& caption,
                        const QString& objectName, QWidget* parent, const QRect& where) {
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
