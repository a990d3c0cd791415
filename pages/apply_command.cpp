#include "pages/apply_command.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>

#include "pages/page.h"
#include "store/registry_handle.h"

namespace kelvaro {

ApplyCommand::ApplyCommand(Page& page, QAbstractButton* button, ApplyOptions options, Write write)
    : QObject(&page), page_(page), button_(button), options_(options), write_(std::move(write)) {
  setEnabled(options_.alwaysEnabled);
  connect(button_, &QAbstractButton::clicked, this, [this] { run(); });
}

bool ApplyCommand::pending() const { return button_->isEnabled() && !options_.alwaysEnabled; }

void ApplyCommand::markPending() { setPending(true); }

void ApplyCommand::setPending(bool pending) {
  if (page_.loading()) return;
  setEnabled(pending || options_.alwaysEnabled);
}

void ApplyCommand::reset() { setEnabled(options_.alwaysEnabled); }

bool ApplyCommand::run() {
  WriteResult result = WriteResult::Done;
  const bool ok = page_.app().run([&] {
    if (write_) {
      result = write_();
    } else {
      RegistryHandle reg(page_.app().registry());
      writeBindings(reg);
    }
    if (result == WriteResult::KeepPending) return;
    // On disk before the command counts as done.
    page_.app().flush();
    if (options_.setsRestartNeeded) page_.app().setRestartNeeded();
    setEnabled(options_.alwaysEnabled);
  });
  return ok;
}

// The command filters only the controls given here.
void ApplyCommand::runOnEnter(QWidget* control) { control->installEventFilter(this); }

bool ApplyCommand::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      run();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

const Binding& ApplyCommand::bind(Binding::Control control, const Setting& setting, BoundValue defaultValue) {
  bindings_.emplace_back(setting, std::move(control), std::move(defaultValue));
  const Binding& binding = bindings_.back();
  binding.onChange([this] { markPending(); });
  return binding;
}

const Binding& ApplyCommand::bindCheckBox(QCheckBox* box, const Setting& setting, bool defaultChecked) {
  return bind(Binding::checkBox(box), setting, defaultChecked);
}

std::vector<const Binding*> ApplyCommand::bindings() const {
  std::vector<const Binding*> out;
  for (const Binding& b : bindings_) out.push_back(&b);
  return out;
}

void ApplyCommand::loadBindings(RegistryHandle& reg) const {
  if (!bindings_.empty()) kelvaro::loadBindings(reg, bindings());
}

void ApplyCommand::writeBindings(RegistryHandle& reg) const {
  if (!bindings_.empty()) kelvaro::writeBindings(reg, bindings());
}

void ApplyCommand::setEnabled(bool enabled) { button_->setEnabled(enabled); }

}  // namespace kelvaro
