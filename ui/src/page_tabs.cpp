// The page labels are what a tab widget's tabs are: screen readers get them as page tabs,
// named by their text, the shown page's tab selected, and pressing one opens its page.
// The window's drop-down lists (LabelledList) are named by their labels: on X11 Qt names a
// combo box by its current text, so "64 bits" would be read where "Key Length 1" is meant.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

#include "ui/config_dialog.h"

namespace nv {

namespace {

class PageTabAccessible : public QAccessibleWidget {
 public:
  explicit PageTabAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::PageTab) {
    addControllingSignal(QStringLiteral("clicked()"));
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<LabelStatic*>(widget())->text();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.selectable = true;
    s.selected = Shown();
    return s;
  }

  QStringList actionNames() const override { return {pressAction()}; }

  void doAction(const QString& action) override {
    if (action != pressAction()) return;
    if (auto* dialog = Dialog()) dialog->ShowPage(widget()->property("nvPageTab").toInt());
  }

 private:
  ConfigDialog* Dialog() const { return qobject_cast<ConfigDialog*>(widget()->window()); }
  bool Shown() const {
    const ConfigDialog* dialog = Dialog();
    if (dialog == nullptr) return false;
    const int page = dialog->currentPage() == kPageReload ? kPageLinkInfo : dialog->currentPage();
    return page == widget()->property("nvPageTab").toInt();
  }
};

class NamedComboAccessible : public QAccessibleWidget {
 public:
  explicit NamedComboAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      const QString label = widget()->accessibleName();
      return label.isEmpty() ? List()->currentText() : label;
    }
    if (t == QAccessible::Value) return List()->currentText();
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = List()->view() && List()->view()->isVisible();
    s.collapsed = !s.expanded;
    return s;
  }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

  void doAction(const QString& action) override {
    if (action == showMenuAction() || action == pressAction()) List()->showPopup();
  }

 private:
  QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* PageTabFactory(const QString& key, QObject* object) {
  if (key == QLatin1String("nv::LabelledList") && object->isWidgetType()) {
    return new NamedComboAccessible(static_cast<QComboBox*>(object));
  }
  if (key != QLatin1String("nv::LabelStatic") || !object->isWidgetType()) return nullptr;
  if (!object->property("nvPageTab").isValid()) return nullptr;
  return new PageTabAccessible(static_cast<QWidget*>(object));
}

}  // namespace

void InstallPageTabAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(PageTabFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace nv
