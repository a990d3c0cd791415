#pragma once

#include <stdexcept>

namespace kelvaro::formats {

// A file that cannot be read as the format it claims to be. what() says why in
// a short English sentence; the pages have no message of their own for it.
class FormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kelvaro::formats
