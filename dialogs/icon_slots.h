#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

namespace kelvaro {

// What the icon picker hands over when the user confirms: the location
// (file + "," + index), its two parts, and the previewed icon.
struct IconChoice {
  std::string location;
  std::string file;
  int index = 0;
  QImage icon;
};

// Who receives the icon picked for a slot number. A page registers the slots
// it opens the picker with, once, with the receiver that puts the choice in
// its holders and pictures; the picker delivers by number and never knows
// the pages. A registration ends with its owner.
class IconSlots {
 public:
  using Receiver = std::function<void(int slot, const IconChoice& choice)>;

  // Slots first..last, both included.
  static std::vector<int> range(int first, int last);

  // Throws std::logic_error when a slot already has a living owner.
  void add(QObject* owner, std::vector<int> numbers, Receiver receiver);
  // True when the slot had a receiver.
  bool deliver(int slot, const IconChoice& choice) const;
  bool owned(int slot) const;

 private:
  struct Registration {
    QPointer<QObject> owner;
    std::vector<int> numbers;
    Receiver receiver;
  };
  const Registration* find(int slot) const;

  std::vector<Registration> registrations_;
};

}  // namespace kelvaro
