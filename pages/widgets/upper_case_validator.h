#pragma once

#include <QValidator>

namespace kelvaro {

// An extension field takes what is typed in capitals.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = input.toUpper();
    return Acceptable;
  }
};

}  // namespace kelvaro
