#include "pages/shell/toolbar_preview.h"

#include <QPainter>

namespace kelvaro {

ToolbarPreview::ToolbarPreview(Decode decode, QWidget* parent)
    : QWidget(parent), decode_(std::move(decode)) {}

void ToolbarPreview::setFile(const std::filesystem::path& file) {
  file_ = file;
  picture_ = QImage();
  decoded_ = false;
  update();
}

const QImage& ToolbarPreview::picture() {
  if (!decoded_ && !file_.empty()) {
    picture_ = decode_(file_);
    decoded_ = true;
  }
  return picture_;
}

void ToolbarPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const QImage& bitmap = picture();
  // Explorer tiles the bitmap behind the toolbar.
  if (!bitmap.isNull()) painter.drawTiledPixmap(rect(), QPixmap::fromImage(bitmap));
  static const char* const kButtons[] = {" Wstecz ", "   Dalej   ", "  W górę ", " Wyszukaj "};
  const int height = this->height() / 4;
  for (int i = 0; i < 4; ++i) {
    const QRect button(2, 2 + i * height, width() - 4, height - 4);
    painter.drawText(button, Qt::AlignCenter, QString::fromUtf8(kButtons[i]));
  }
  painter.setPen(palette().dark().color());
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace kelvaro
