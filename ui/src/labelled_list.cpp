// How a screen reader meets a drop-down list: named by its label ("BSS Type"), its value the
// current entry ("Infrastructure"), given also as its text, and its entries reachable as the
// list inside it, with the current one selected. Qt's own combo-box interface names the list by
// its value on X11, which reads "Infrastructure, combo box" and never says what is chosen.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QItemSelectionModel>

#include "page_widgets.h"

namespace nv {

LabelledList::LabelledList(QWidget* parent) : QComboBox(parent) {
  // The entries' list shows the current entry as selected even while it is closed, so that a
  // screen reader walking the entries finds which one is chosen.
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    QItemSelectionModel* selection = view() ? view()->selectionModel() : nullptr;
    if (selection == nullptr) return;
    if (index < 0) {
      selection->clear();
    } else {
      selection->setCurrentIndex(model()->index(index, modelColumn(), rootModelIndex()),
                                 QItemSelectionModel::ClearAndSelect);
    }
  });
}

namespace {

class LabelledListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit LabelledListAccessible(QComboBox* list)
      : QAccessibleWidget(list, QAccessible::ComboBox) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      const QString label = widget()->accessibleName();
      return label.isEmpty() ? Current() : label;
    }
    if (t == QAccessible::Value) return Current();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = List()->view() && List()->view()->isVisible();
    s.collapsed = !s.expanded;
    s.readOnly = true;  // for the text: the value changes by choosing an entry
    return s;
  }

  // The entries, as Qt's own interface gives them: the list the drop-down opens.
  int childCount() const override { return List()->view() ? 1 : 0; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 && List()->view() ? QAccessible::queryAccessibleInterface(List()->view())
                                        : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && List()->view() && child->object() == List()->view() ? 0 : -1;
  }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) List()->showPopup();
  }

  // The text: the current entry, read only, without a caret or a selection.
  QString text(int start, int end) const override { return Current().mid(start, end - start); }
  int characterCount() const override { return static_cast<int>(Current().size()); }
  void selection(int, int* start, int* end) const override { *start = *end = 0; }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

 private:
  QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
  QString Current() const { return List()->currentText(); }
};

}  // namespace

QAccessibleInterface* MakeLabelledListAccessible(QObject* list) {
  return new LabelledListAccessible(static_cast<QComboBox*>(list));
}

}  // namespace nv
