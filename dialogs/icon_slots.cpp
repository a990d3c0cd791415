#include "dialogs/icon_slots.h"

#include <algorithm>
#include <stdexcept>

namespace kelvaro {

std::vector<int> IconSlots::range(int first, int last) {
  std::vector<int> numbers;
  for (int slot = first; slot <= last; ++slot) numbers.push_back(slot);
  return numbers;
}

const IconSlots::Registration* IconSlots::find(int slot) const {
  for (const Registration& r : registrations_) {
    if (r.owner && std::find(r.numbers.begin(), r.numbers.end(), slot) != r.numbers.end()) return &r;
  }
  return nullptr;
}

void IconSlots::add(QObject* owner, std::vector<int> numbers, Receiver receiver) {
  for (int slot : numbers) {
    if (find(slot)) throw std::logic_error("icon slot " + std::to_string(slot) + " is taken");
  }
  // Registrations of owners that are gone make room first.
  std::erase_if(registrations_, [](const Registration& r) { return !r.owner; });
  registrations_.push_back({owner, std::move(numbers), std::move(receiver)});
}

bool IconSlots::deliver(int slot, const IconChoice& choice) const {
  const Registration* r = find(slot);
  if (!r) return false;
  // Copied: the receiver may register or end registrations.
  const Receiver receiver = r->receiver;
  receiver(slot, choice);
  return true;
}

bool IconSlots::owned(int slot) const { return find(slot) != nullptr; }

}  // namespace kelvaro
