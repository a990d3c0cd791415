#pragma once

#include <QWidget>

class QProgressBar;

namespace kelvaro {

// The splash window: borderless, on top, centred; the program picture, the
// version label and the start-up gauge (0 to 34, no percentage).
class TSplash : public QWidget {
  Q_OBJECT

 public:
  explicit TSplash(QWidget* parent = nullptr);
  QProgressBar* gauge() const { return gauge_; }
  void setGauge(int value);

 private:
  QProgressBar* gauge_ = nullptr;
};

}  // namespace kelvaro
