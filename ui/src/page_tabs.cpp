// The page labels are what a tab widget's tabs are: screen readers get them as page tabs,
// named by their text, the shown page's tab selected, and pressing one opens its page.
// The window's drop-down lists (LabelledList) get their own interface (labelled_list.cpp).
#include <QAccessible>
#include <QAccessibleWidget>

#include "page_widgets.h"
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

QAccessibleInterface* PageTabFactory(const QString& key, QObject* object) {
  if (key == QLatin1String("nv::LabelledList") && object->isWidgetType()) {
    return MakeLabelledListAccessible(object);
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
