// Small helpers the pages share to lay out their controls like a dialog resource: captions,
// lists filled from option tables, the owner-drawn buttons and the pages' colours.
#pragma once

#include <QAccessibleInterface>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QRect>
#include <string>
#include <string_view>

#include "byte_text.h"
#include "controls/owner_draw_button.h"

namespace nv {

// A drop-down list that screen readers name by its label and whose value is its current entry
// (labelled_list.cpp): Qt's own interface names a combo box by its current value on X11 ("64
// bits" where "Key Length 1" is meant).
class LabelledList : public QComboBox {
  Q_OBJECT

 public:
  explicit LabelledList(QWidget* parent = nullptr);
};

// Its accessible interface, made by the window's accessibility factory (page_tabs.cpp).
QAccessibleInterface* MakeLabelledListAccessible(QObject* list);

}  // namespace nv

namespace nv::pages {

inline const QColor kBlue(0, 0, 255);          // COLORREF 0xFF0000: values on the pages
inline const QColor kNavy(0, 0, 128);          // COLORREF 0x800000: group captions
inline const QColor kLineGrey(128, 128, 128);  // COLORREF 0x808080: group lines
inline constexpr int kRowHeight = 24;

// The window's own complete palette, whatever the desktop's theme: dark text on light faces,
// every text at least 4.5:1 against what it is drawn on. `window`: the Window colour.
QPalette WindowPalette(const QColor& window);

// A caption text at `where`; `buddy` gets it as its accessible name.
QLabel* Caption(const QString& text, QWidget* parent, const QRect& where, QWidget* buddy = nullptr);

// A drop-down list of `texts` in table order, with its object and accessible names.
template <typename Texts>
QComboBox* OptionList(const Texts& texts, const char* objectName, QWidget* parent,
                      const QRect& where) {
  auto* list = new LabelledList(parent);
  list->setObjectName(QString::fromLatin1(objectName));
  for (std::string_view text : texts) list->addItem(ShownText(text));
  list->setGeometry(where);
  return list;
}

// Selects `position` (-1: no selection).
void Select(QComboBox* list, int position);

// A check box or radio button drawn on the white page.
OwnerDrawButton* Choice(OwnerDrawButton::Kind kind, const QString& caption,
                        const QString& objectName, QWidget* parent, const QRect& where);

OwnerDrawButton* PushButton(const QString& caption, const char* objectName, QWidget* parent,
                            const QRect& where);

}  // namespace nv::pages
