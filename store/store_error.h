#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace kelvaro {

// A failure of the store. what() is the exact text the user sees (before the
// error box adds its full stop).
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The store's fixed messages, with the value name or key path filled in.
namespace store_messages {
std::string createKeyFailed(std::string_view path);  // Failed to create key %s
std::string getDataFailed(std::string_view name);    // Failed to get data for '%s'
std::string setDataFailed(std::string_view name);    // Failed to set data for '%s'
std::string invalidDataType(std::string_view name);  // Invalid data type for '%s'
std::string notAnInteger(std::string_view text);     // '%s' is not a valid integer value
std::string unableToWrite(std::string_view path);    // Unable to write to %s
}  // namespace store_messages

}  // namespace kelvaro
