#include "store_error.h"

namespace kelvaro::store_messages {

std::string createKeyFailed(std::string_view path) { return "Failed to create key " + std::string(path); }
std::string getDataFailed(std::string_view name) {
  return "Failed to get data for '" + std::string(name) + "'";
}
std::string setDataFailed(std::string_view name) {
  return "Failed to set data for '" + std::string(name) + "'";
}
std::string invalidDataType(std::string_view name) {
  return "Invalid data type for '" + std::string(name) + "'";
}
std::string notAnInteger(std::string_view text) {
  return "'" + std::string(text) + "' is not a valid integer value";
}
std::string unableToWrite(std::string_view path) { return "Unable to write to " + std::string(path); }

}  // namespace kelvaro::store_messages
