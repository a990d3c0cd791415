#pragma once

#include <QAccessible>
#include <QAccessibleWidget>

#include <functional>

namespace kelvaro {

// How assistive technology sees a hand-drawn widget that acts when pressed
// (a link-style label, a tab of the page rows): the role it behaves as, its
// name, and a press action that does what a click does.
class PressableAccessible : public QAccessibleWidget {
 public:
  using NameOf = std::function<QString(const QWidget*)>;
  using Press = std::function<void(QWidget*)>;

  PressableAccessible(QWidget* widget, QAccessible::Role role, NameOf name, Press press);

  QString text(QAccessible::Text t) const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;

 private:
  NameOf name_;
  Press press_;
};

// Makes assistive technology see every widget of class W through make(widget).
// Call it where a W is made; it installs the factory once.
template <typename W>
void installAccessibleFactory(QAccessibleInterface* (*make)(W*)) {
  static const auto made = make;
  static const bool installed = [] {
    QAccessible::installFactory([](const QString& key, QObject* object) -> QAccessibleInterface* {
      if (key != QLatin1String(W::staticMetaObject.className())) return nullptr;
      auto* widget = qobject_cast<W*>(object);
      return widget ? made(widget) : nullptr;
    });
    return true;
  }();
  (void)installed;
}

}  // namespace kelvaro
