// Every setting a page binds to a control, driven through the page as a
// user would: stored values are shown, a change makes the Apply command
// pending, and Apply stores what the control shows in the setting's pattern.
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include "pages/page_catalog.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

struct Case {
  const char* what;
  std::optional<StoredValue> stored;  // nullopt: no value at all
  std::optional<BoundValue> shown;    // nullopt: the binding's default
};

// Stored values and what the control must show for them, by pattern.
std::vector<Case> casesFor(Pattern pattern) {
  switch (pattern) {
    case Pattern::DwordFlag:
    case Pattern::PrunedFlag:
      return {{"1", StoredValue(1), true},
              {"7 reads as checked", StoredValue(7), true},
              {"0", StoredValue(0), false},
              {"a string", StoredValue(std::string("1")), std::nullopt},
              {"binary", StoredValue(Bytes{1, 0, 0, 0}), std::nullopt},
              {"missing", std::nullopt, std::nullopt}};
    case Pattern::InvertedDwordFlag:
      return {{"0", StoredValue(0), true},
              {"1", StoredValue(1), false},
              {"a string", StoredValue(std::string("0")), std::nullopt},
              {"missing", std::nullopt, std::nullopt}};
    case Pattern::StringFlag:
      return {{"\"1\"", StoredValue(std::string("1")), true},
              {"\"0\"", StoredValue(std::string("0")), false},
              {"a DWORD", StoredValue(1), std::nullopt},
              {"missing", std::nullopt, std::nullopt}};
    case Pattern::Text:
      return {{"a text", StoredValue(std::string("Zażółć gęślą")), BoundValue(std::string("Zażółć gęślą"))},
              {"a DWORD", StoredValue(3), std::nullopt},
              {"missing", std::nullopt, std::nullopt}};
    case Pattern::Dword:
      return {{"3", StoredValue(3), BoundValue(std::int32_t{3})},
              {"a string", StoredValue(std::string("3")), std::nullopt},
              {"missing", std::nullopt, std::nullopt}};
    case Pattern::NumberText:
      return {{"\"3\"", StoredValue(std::string("3")), BoundValue(std::int32_t{3})},
              {"a DWORD", StoredValue(3), std::nullopt},
              {"missing", std::nullopt, std::nullopt}};
  }
  return {};
}

// What Apply must leave for a control showing value.
std::optional<StoredValue> expectedStored(Pattern pattern, const BoundValue& value) {
  const auto flag = [&] { return std::get<bool>(value); };
  const auto number = [&] {
    if (const auto* n = std::get_if<std::int32_t>(&value)) return *n;
    return std::stoi(std::get<std::string>(value));
  };
  switch (pattern) {
    case Pattern::DwordFlag:
      return StoredValue(flag() ? 1 : 0);
    case Pattern::PrunedFlag:
      return flag() ? std::optional<StoredValue>(StoredValue(1)) : std::nullopt;
    case Pattern::InvertedDwordFlag:
      return StoredValue(flag() ? 0 : 1);
    case Pattern::StringFlag:
      return StoredValue(std::string(flag() ? "1" : "0"));
    case Pattern::Text:
      return StoredValue(std::get<std::string>(value));
    case Pattern::Dword:
      return StoredValue(number());
    case Pattern::NumberText:
      return StoredValue(std::to_string(number()));
  }
  return std::nullopt;
}

class BindingTableTest : public PageHarness {
 protected:
  // Makes the control's page and sub-page the ones shown.
  void reveal(QWidget* control) {
    for (QWidget* w = control; w; w = w->parentWidget()) {
      if (auto* tabs =
              qobject_cast<QTabWidget*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) {
        if (tabs->indexOf(w) >= 0) tabs->setCurrentWidget(w);
      }
    }
  }

  // A change a user makes to the control; false for controls only the page changes.
  bool changeAsUser(const Binding& binding) {
    QWidget* w = binding.control();
    reveal(w);
    if (!w->isEnabled() || !w->isVisible()) return false;
    if (qobject_cast<QCheckBox*>(w)) {
      click(w);
    } else if (auto* radio = qobject_cast<QRadioButton*>(w)) {
      for (QRadioButton* other : radio->parentWidget()->findChildren<QRadioButton*>()) {
        if (!other->isChecked() && other->isEnabled()) {
          click(other);
          break;
        }
      }
    } else if (qobject_cast<QLineEdit*>(w)) {
      type(w, "Kelvaro");
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
      type(w, std::to_string(spin->value() == spin->maximum() ? spin->minimum() : spin->value() + 1));
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(w)) {
      key(w, slider->value() == slider->maximum() ? Qt::Key_Home : Qt::Key_End);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      key(w, combo->currentIndex() + 1 < combo->count() ? Qt::Key_Down : Qt::Key_Up);
    } else {
      return false;
    }
    return true;
  }

  int exerciseEveryBinding();

  void clearAll(const std::vector<const Binding*>& bindings) {
    for (const Binding* b : bindings) remove(b->setting().root, b->setting().key, b->setting().value);
  }
};

// Runs every bound setting of the window's pages; how many a user could change.
int BindingTableTest::exerciseEveryBinding() {
  int covered = 0;
  for (Page* p : frame().allPages()) {
    for (ApplyCommand* command : p->applyCommands()) {
      const std::vector<const Binding*> bindings = command->bindings();
      for (const Binding* binding : bindings) {
        const Setting& s = binding->setting();
        SCOPED_TRACE(std::string(p->info().id) + ": " + s.key + " \"" + s.value + "\"");
        frame().pages()->setCurrentWidget(p);
        for (const Case& c : casesFor(s.pattern)) {
          SCOPED_TRACE(c.what);
          clearAll(bindings);
          if (c.stored) set(s.root, s.key, s.value, *c.stored);
          EXPECT_TRUE(app->run([p] { p->reload(); }));
          EXPECT_EQ(binding->shown(), c.shown.value_or(binding->defaultValue()));
          EXPECT_FALSE(command->pending());
        }

        clearAll(bindings);
        EXPECT_TRUE(app->run([p] { p->reload(); }));
        if (!changeAsUser(*binding)) continue;
        EXPECT_TRUE(command->pending());
        const BoundValue shown = binding->shown();
        reveal(command->button());
        click(command->button());
        EXPECT_FALSE(command->pending());
        EXPECT_EQ(stored(s.root, s.key, s.value), expectedStored(s.pattern, shown));
        ++covered;
      }
    }
  }
  return covered;
}

TEST_F(BindingTableTest, EveryBoundSettingLoadsMarksItsCommandAndApplies) {
  makeWindow();
  // The pages on the toolkit so far bind settings; this guards the loop itself.
  EXPECT_GT(exerciseEveryBinding(), 0);
}

// A page that binds one control of every kind the toolkit offers, so the
// kinds no program page uses yet are driven the same way.
class EveryControlPage : public Page {
 public:
  EveryControlPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
    auto* column = new QVBoxLayout(this);
    const auto add = [&](auto* w, const char* name) {
      w->setObjectName(name);
      column->addWidget(w);
      return w;
    };
    auto* button = add(new QPushButton(QStringLiteral("Zastosuj")), "samplerApply");
    ApplyCommand& apply = addApplyCommand(button, {});
    const auto setting = [](const char* value, Pattern pattern) {
      return Setting{Root::CurrentUser, "Software\\Kelvaro Sampler", value, pattern};
    };
    apply.bindCheckBox(add(new QCheckBox(QStringLiteral("a")), "flag"), setting("Flag", Pattern::DwordFlag));
    apply.bindCheckBox(add(new QCheckBox(QStringLiteral("b")), "inverted"),
                       setting("Inverted", Pattern::InvertedDwordFlag));
    apply.bindCheckBox(add(new QCheckBox(QStringLiteral("c")), "textFlag"),
                       setting("TextFlag", Pattern::StringFlag));

    auto* choices = add(new QWidget, "choices");
    auto* choiceRow = new QHBoxLayout(choices);
    auto* one = new QRadioButton(QStringLiteral("1"), choices);
    auto* three = new QRadioButton(QStringLiteral("3"), choices);
    choiceRow->addWidget(one);
    choiceRow->addWidget(three);
    apply.bind(Binding::choice({{one, 1}, {three, 3}}), setting("Choice", Pattern::Dword), std::int32_t{1});

    apply.bind(Binding::lineEdit(add(new QLineEdit, "text")), setting("Text", Pattern::Text), std::string());
    apply.bind(Binding::label(add(new QLabel, "label")), setting("Label", Pattern::Text), std::string("?"));
    auto* slider = add(new QSlider(Qt::Horizontal), "slider");
    slider->setRange(0, 10);
    apply.bind(Binding::slider(slider), setting("Slider", Pattern::Dword), std::int32_t{0});
    auto* spin = add(new QSpinBox, "spin");
    spin->setRange(0, 10);
    apply.bind(Binding::spinBox(spin), setting("Spin", Pattern::NumberText), std::int32_t{0});
    auto* byIndex = add(new QComboBox, "comboIndex");
    byIndex->addItems({"0", "1", "2", "3"});
    apply.bind(Binding::comboIndex(byIndex), setting("ComboIndex", Pattern::Dword), std::int32_t{0});
    auto* byText = add(new QComboBox, "comboText");
    byText->setEditable(true);
    byText->addItems({"", "Zażółć gęślą", "inny"});
    apply.bind(Binding::comboText(byText), setting("ComboText", Pattern::Text), std::string());
  }
};

TEST_F(BindingTableTest, EveryKindOfControlLoadsMarksItsCommandAndApplies) {
  makeWindow([](AppContext& context, const PageInfo& info, QWidget* parent) -> Page* {
    return std::string_view(info.id) == "kolory" ? new EveryControlPage(context, info, parent) : nullptr;
  });
  // Every control but the label, which only its page changes.
  EXPECT_EQ(exerciseEveryBinding(), 9);
}

}  // namespace
}  // namespace kelvaro::testing
