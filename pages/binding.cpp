#include "pages/binding.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

QString qtext(const std::string& utf8) { return QString::fromStdString(utf8); }

bool asFlag(const BoundValue& v) { return std::holds_alternative<bool>(v) && std::get<bool>(v); }

// A text control bound to a number shows the number's decimal text; what the
// user typed is turned back into a number when written.
std::string asText(const BoundValue& v) {
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  if (const auto* n = std::get_if<std::int32_t>(&v)) return numberAsText(*n);
  return asFlag(v) ? "1" : "0";
}

std::int32_t asNumber(const BoundValue& v) {
  if (const auto* n = std::get_if<std::int32_t>(&v)) return *n;
  if (const auto* s = std::get_if<std::string>(&v)) return numberFromText(*s);
  return asFlag(v) ? 1 : 0;
}

bool hasKind(RegistryHandle& reg, std::string_view name, ValueKind kind) {
  return reg.valueExists(name) && reg.valueKind(name) == kind;
}

bool sameKey(const Setting& a, const Setting& b) {
  if (a.root != b.root) return false;
  const std::string_view x = a.key, y = b.key;
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(x[i])) != std::toupper(static_cast<unsigned char>(y[i])))
      return false;
  }
  return true;
}

// The bindings grouped by key, keys in the order they first appear.
std::vector<std::vector<const Binding*>> byKey(const std::vector<const Binding*>& bindings) {
  std::vector<std::vector<const Binding*>> groups;
  for (const Binding* b : bindings) {
    auto it = std::find_if(groups.begin(), groups.end(), [b](const auto& group) {
      return sameKey(group.front()->setting(), b->setting());
    });
    if (it == groups.end()) {
      groups.push_back({b});
    } else {
      it->push_back(b);
    }
  }
  return groups;
}

}  // namespace

bool isFlag(Pattern pattern) {
  return pattern == Pattern::DwordFlag || pattern == Pattern::InvertedDwordFlag ||
         pattern == Pattern::StringFlag || pattern == Pattern::PrunedFlag;
}

Binding::Binding(Setting setting, Control control, BoundValue defaultValue)
    : setting_(setting), control_(std::move(control)), default_(std::move(defaultValue)) {}

BoundValue Binding::read(RegistryHandle& reg) const {
  const std::string_view name = setting_.value;
  switch (setting_.pattern) {
    case Pattern::DwordFlag:
    case Pattern::PrunedFlag:
      if (hasKind(reg, name, ValueKind::Dword)) return reg.readDword(name) != 0;
      break;
    case Pattern::InvertedDwordFlag:
      if (hasKind(reg, name, ValueKind::Dword)) return reg.readDword(name) == 0;
      break;
    case Pattern::StringFlag:
      if (hasKind(reg, name, ValueKind::String)) return reg.readString(name) == "1";
      break;
    case Pattern::Text:
      if (hasKind(reg, name, ValueKind::String)) return reg.readString(name);
      break;
    case Pattern::Dword:
      if (hasKind(reg, name, ValueKind::Dword)) return reg.readDword(name);
      break;
    case Pattern::NumberText:
      // Text that is no number is the store's error, as the pattern says.
      if (hasKind(reg, name, ValueKind::String)) return numberFromText(reg.readString(name));
      break;
  }
  return default_;
}

void Binding::write(RegistryHandle& reg) const {
  const std::string_view name = setting_.value;
  const BoundValue value = shown();
  switch (setting_.pattern) {
    case Pattern::DwordFlag:
    case Pattern::PrunedFlag:
      writeDwordFlag(reg, name, asFlag(value));
      return;
    case Pattern::InvertedDwordFlag:
      writeInvertedDwordFlag(reg, name, asFlag(value));
      return;
    case Pattern::StringFlag:
      writeStringFlag(reg, name, asFlag(value));
      return;
    case Pattern::Text:
      reg.writeString(name, asText(value));
      return;
    case Pattern::Dword:
      reg.writeDword(name, asNumber(value));
      return;
    case Pattern::NumberText:
      writeNumberText(reg, name, asNumber(value));
      return;
  }
}

void Binding::prune(RegistryHandle& reg) const {
  if (setting_.pattern != Pattern::PrunedFlag || asFlag(shown())) return;
  if (reg.valueExists(setting_.value)) reg.deleteValue(setting_.value);
}

Binding::Control Binding::checkBox(QCheckBox* box) {
  return {box, [box] { return BoundValue(box->isChecked()); },
          [box](const BoundValue& v) { box->setChecked(asFlag(v)); },
          [box](std::function<void()> reaction) {
            QObject::connect(box, &QCheckBox::toggled, box, std::move(reaction));
          }};
}

Binding::Control Binding::choice(std::vector<std::pair<QRadioButton*, std::int32_t>> buttons) {
  QWidget* first = buttons.empty() ? nullptr : buttons.front().first;
  return {first,
          [buttons] {
            for (const auto& [button, number] : buttons) {
              if (button->isChecked()) return BoundValue(number);
            }
            return BoundValue(std::int32_t{0});
          },
          [buttons](const BoundValue& v) {
            const std::int32_t wanted = asNumber(v);
            for (const auto& [button, number] : buttons) {
              if (number == wanted) button->setChecked(true);
            }
          },
          [buttons](std::function<void()> reaction) {
            for (const auto& entry : buttons) {
              QRadioButton* button = entry.first;
              QObject::connect(button, &QRadioButton::toggled, button, [reaction](bool on) {
                if (on) reaction();
              });
            }
          }};
}

Binding::Control Binding::lineEdit(QLineEdit* edit) {
  return {edit, [edit] { return BoundValue(edit->text().toStdString()); },
          [edit](const BoundValue& v) { edit->setText(qtext(asText(v))); },
          [edit](std::function<void()> reaction) {
            QObject::connect(edit, &QLineEdit::textEdited, edit, std::move(reaction));
          }};
}

Binding::Control Binding::label(QLabel* label) {
  return {label, [label] { return BoundValue(label->text().toStdString()); },
          [label](const BoundValue& v) { label->setText(qtext(asText(v))); }, [](std::function<void()>) {}};
}

Binding::Control Binding::slider(QAbstractSlider* slider) {
  return {slider, [slider] { return BoundValue(static_cast<std::int32_t>(slider->value())); },
          [slider](const BoundValue& v) { slider->setValue(asNumber(v)); },
          [slider](std::function<void()> reaction) {
            QObject::connect(slider, &QAbstractSlider::valueChanged, slider, std::move(reaction));
          }};
}

Binding::Control Binding::spinBox(QSpinBox* spin) {
  return {spin, [spin] { return BoundValue(static_cast<std::int32_t>(spin->value())); },
          [spin](const BoundValue& v) { spin->setValue(asNumber(v)); },
          [spin](std::function<void()> reaction) {
            QObject::connect(spin, &QSpinBox::valueChanged, spin, std::move(reaction));
          }};
}

Binding::Control Binding::comboIndex(QComboBox* combo) {
  return {combo, [combo] { return BoundValue(static_cast<std::int32_t>(combo->currentIndex())); },
          [combo](const BoundValue& v) { combo->setCurrentIndex(asNumber(v)); },
          [combo](std::function<void()> reaction) {
            QObject::connect(combo, &QComboBox::activated, combo, std::move(reaction));
          }};
}

Binding::Control Binding::comboText(QComboBox* combo) {
  return {combo, [combo] { return BoundValue(combo->currentText().toStdString()); },
          [combo](const BoundValue& v) { combo->setCurrentText(qtext(asText(v))); },
          [combo](std::function<void()> reaction) {
            QObject::connect(combo, &QComboBox::currentTextChanged, combo, std::move(reaction));
          }};
}

void loadBindings(RegistryHandle& reg, const std::vector<const Binding*>& bindings) {
  for (const auto& group : byKey(bindings)) {
    reg.closeKey();
    reg.setRoot(group.front()->setting().root);
    const bool open = openForRead(reg, group.front()->setting().key);
    for (const Binding* b : group) b->show(open ? b->read(reg) : b->defaultValue());
    reg.closeKey();
  }
}

void writeBindings(RegistryHandle& reg, const std::vector<const Binding*>& bindings) {
  const auto groups = byKey(bindings);
  for (const auto& group : groups) {
    reg.closeKey();
    reg.setRoot(group.front()->setting().root);
    openForWrite(reg, group.front()->setting().key);
    for (const Binding* b : group) b->write(reg);
    reg.closeKey();
  }
  for (const auto& group : groups) {
    const bool prunes = std::any_of(group.begin(), group.end(), [](const Binding* b) {
      return b->setting().pattern == Pattern::PrunedFlag;
    });
    if (!prunes) continue;
    reg.setRoot(group.front()->setting().root);
    openForWrite(reg, group.front()->setting().key);
    for (const Binding* b : group) b->prune(reg);
    reg.closeKey();
  }
}

}  // namespace kelvaro
