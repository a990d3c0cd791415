#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "store/registry_tree.h"

class QAbstractSlider;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace kelvaro {

class RegistryHandle;

// How a setting is stored, by the store's named patterns.
enum class Pattern {
  DwordFlag,          // check box: DWORD, checked when not 0; writes 1 or 0
  InvertedDwordFlag,  // check box: DWORD, checked when 0; writes 0 or 1
  StringFlag,         // check box: string "1" checked, "0" unchecked
  PrunedFlag,         // check box: as DwordFlag, but Apply then removes the values of unchecked boxes
  Text,               // string
  Dword,              // DWORD number
  NumberText,         // a number stored as decimal text
};

// One stored setting: where it is and how it is stored.
struct Setting {
  Root root = Root::CurrentUser;
  const char* key = "";
  const char* value = "";
  Pattern pattern = Pattern::DwordFlag;
};

// What a control shows, in the terms of its setting: a flag, a number or a text.
using BoundValue = std::variant<bool, std::int32_t, std::string>;

// One setting bound to its control: the loader reads it with the guarded
// read and shows it, a user change marks the owning Apply command pending,
// and the command writes what the control shows.
class Binding {
 public:
  struct Control {
    QWidget* widget = nullptr;
    std::function<BoundValue()> get;
    std::function<void(const BoundValue&)> set;
    // Connects the control's change signal to the given reaction.
    std::function<void(std::function<void()>)> onChange;
  };

  Binding(Setting setting, Control control, BoundValue defaultValue);

  const Setting& setting() const { return setting_; }
  QWidget* control() const { return control_.widget; }
  const BoundValue& defaultValue() const { return default_; }
  BoundValue shown() const { return control_.get(); }
  void show(const BoundValue& value) const { control_.set(value); }
  void onChange(std::function<void()> reaction) const { control_.onChange(std::move(reaction)); }

  // The stored value, or the default when the value is missing, of another
  // kind or (for flags) not what the pattern reads. The key is open.
  BoundValue read(RegistryHandle& reg) const;
  // Writes what the control shows. The key is open.
  void write(RegistryHandle& reg) const;
  // Write-then-prune's second step: removes the value of an unchecked box.
  void prune(RegistryHandle& reg) const;

  // Controls, as their settings see them.
  static Control checkBox(QCheckBox* box);
  // A choice of buttons, each standing for a stored number.
  static Control choice(std::vector<std::pair<QRadioButton*, std::int32_t>> buttons);
  static Control lineEdit(QLineEdit* edit);
  // A value label: shown and written, changed by the page (an in-place edit).
  static Control label(QLabel* label);
  static Control slider(QAbstractSlider* slider);
  static Control spinBox(QSpinBox* spin);
  // The index of the chosen entry (a number), or its text (a text).
  static Control comboIndex(QComboBox* combo);
  static Control comboText(QComboBox* combo);

 private:
  Setting setting_;
  Control control_;
  BoundValue default_;
};

// Whether a pattern stores a check box.
bool isFlag(Pattern pattern);

// Loads bindings key by key in the order given: each key opened once
// without creating it, the values read with the guarded read.
void loadBindings(RegistryHandle& reg, const std::vector<const Binding*>& bindings);
// Writes bindings key by key in the order given, each key opened (created)
// once; then, for the pruned flags, each key again to remove the values of
// the unchecked boxes.
void writeBindings(RegistryHandle& reg, const std::vector<const Binding*>& bindings);

}  // namespace kelvaro
