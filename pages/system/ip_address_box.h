#pragma once

#include <QFrame>
#include <QString>

#include <array>

class QLineEdit;

namespace kelvaro {

// Four number fields in a row, white, with dots between them, as the
// system's address box shows an address. Each field takes at most three
// characters, and only the digits 0-9 can be typed into it: every other
// typed character, Backspace and Delete included, is dropped.
class IpAddressBox : public QFrame {
  Q_OBJECT

 public:
  // name: the object name's stem ("AdresIP" makes AdresIP1 .. AdresIP4);
  // caption: what a screen reader says the row is.
  IpAddressBox(const QString& name, const QString& caption, const QString& hint, QWidget* parent = nullptr);

  QLineEdit* field(int i) const { return fields_[static_cast<std::size_t>(i)]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QLineEdit*, 4> fields_{};
};

}  // namespace kelvaro
