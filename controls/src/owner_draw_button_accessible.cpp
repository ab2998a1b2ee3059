#include "owner_draw_button_accessible.h"

#include <QAccessibleWidget>

#include "controls/owner_draw_button.h"

namespace nv {

namespace {

// "&Apply" reads "Apply"; "&&" is a literal ampersand.
QString WithoutMnemonic(const QString& caption) {
  QString plain;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == QLatin1Char('&')) {
      if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) plain.append(caption[++i]);
      continue;
    }
    plain.append(caption[i]);
  }
  return plain;
}

class OwnerDrawButtonAccessible : public QAccessibleWidget {
 public:
  explicit OwnerDrawButtonAccessible(OwnerDrawButton* button)
      : QAccessibleWidget(button, QAccessible::Button) {}

  QAccessible::Role role() const override {
    switch (button()->kind()) {
      case OwnerDrawButton::Kind::Check:
        return QAccessible::CheckBox;
      case OwnerDrawButton::Kind::Radio:
        return QAccessible::RadioButton;
      case OwnerDrawButton::Kind::Push:
        break;
    }
    return QAccessible::Button;
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && button()->accessibleName().isEmpty()) {
      return WithoutMnemonic(button()->text());
    }
    return QAccessibleWidget::text(kind);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.pressed = button()->isDown();
    if (button()->isCheckable()) {
      s.checkable = true;
      s.checked = button()->isChecked();
    }
    return s;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (button()->isEnabled()) names.prepend(ClickAction());
    return names;
  }

  void doAction(const QString& name) override {
    if (name == ClickAction() && button()->isEnabled()) {
      button()->click();
      return;
    }
    QAccessibleWidget::doAction(name);
  }

 private:
  OwnerDrawButton* button() const { return static_cast<OwnerDrawButton*>(widget()); }
  const QString& ClickAction() const {
    return button()->isCheckable() ? toggleAction() : pressAction();
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className != QLatin1String(OwnerDrawButton::staticMetaObject.className())) return nullptr;
  auto* button = qobject_cast<OwnerDrawButton*>(object);
  return button != nullptr ? new OwnerDrawButtonAccessible(button) : nullptr;
}

}  // namespace

void InstallOwnerDrawButtonAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace nv
