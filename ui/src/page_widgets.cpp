#include "page_widgets.h"

namespace nv::pages {

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
