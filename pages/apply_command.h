#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <vector>

#include "pages/binding.h"

class QAbstractButton;

namespace kelvaro {

class Page;

struct ApplyOptions {
  bool setsRestartNeeded = false;
  bool consultedAtClose = true;
  // A command that is always enabled ("Zastosuj schemat").
  bool alwaysEnabled = false;
};

// How a write ended: done (the command is no longer pending), or kept
// pending, as after a failed check the page has already reported.
enum class WriteResult { Done, KeepPending };

// An Apply command: its button, its pending state (the button's enabled
// state is the only record of it), the settings bound to it and what else it
// writes. Pressing the button runs it through the frame's command runner;
// after a write that is done it sets the restart-needed flag when asked and
// stops being pending. A store error leaves it pending.
class ApplyCommand : public QObject {
  Q_OBJECT

 public:
  using Write = std::function<WriteResult()>;

  ApplyCommand(Page& page, QAbstractButton* button, ApplyOptions options, Write write);

  QAbstractButton* button() const { return button_; }
  const ApplyOptions& options() const { return options_; }
  bool pending() const;

  // A user's change: the command becomes pending (nothing while loading).
  void markPending();
  // For a command whose readiness is a condition of the page's controls.
  void setPending(bool pending);
  // The end of a load: nothing pending.
  void reset();
  // Runs the command as pressing it does; also when it is not pending (Enter
  // on a check box does that). False when an error ended it.
  bool run();
  // Enter or Return in the control runs the command.
  void runOnEnter(QWidget* control);

  // Bindings: each marks this command pending on a user change.
  const Binding& bind(Binding::Control control, const Setting& setting, BoundValue defaultValue);
  const Binding& bindCheckBox(QCheckBox* box, const Setting& setting, bool defaultChecked = false);
  std::vector<const Binding*> bindings() const;

  // What the bindings say, key by key (the loader's and the default write).
  void loadBindings(RegistryHandle& reg) const;
  void writeBindings(RegistryHandle& reg) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setEnabled(bool enabled);

  Page& page_;
  QAbstractButton* button_;
  ApplyOptions options_;
  Write write_;
  std::deque<Binding> bindings_;
};

}  // namespace kelvaro
