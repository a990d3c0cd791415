#include "pages/derived_name.h"

#include <QString>

namespace kelvaro {

std::string derivedName(std::string_view programPath) {
  const QString path = QString::fromUtf8(programPath.data(), static_cast<qsizetype>(programPath.size()));
  const QString file = path.mid(path.lastIndexOf('\\') + 1);
  // Characters, not bytes: a Polish letter is one of the four.
  return file.size() <= 4 ? std::string() : file.left(file.size() - 4).toStdString();
}

}  // namespace kelvaro
