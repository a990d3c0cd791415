#pragma once

#include <QImage>
#include <QWidget>

#include <filesystem>
#include <functional>

namespace kelvaro {

// The preview of Explorer's toolbar background: a vertical toolbar with its
// four buttons drawn over the bitmap. The bitmap is decoded when the preview
// is first painted, not when a file is given to it.
class ToolbarPreview : public QWidget {
 public:
  using Decode = std::function<QImage(const std::filesystem::path&)>;

  ToolbarPreview(Decode decode, QWidget* parent = nullptr);

  // The bitmap to show (a host path); an empty path clears the preview.
  void setFile(const std::filesystem::path& file);
  void clear() { setFile({}); }
  const std::filesystem::path& file() const { return file_; }
  // Whether the bitmap has been decoded (it is once the preview shows).
  bool decoded() const { return decoded_; }
  // The bitmap, decoding it first when needed; null when there is none.
  const QImage& picture();

  QSize sizeHint() const override { return {72, 104}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Decode decode_;
  std::filesystem::path file_;
  QImage picture_;
  bool decoded_ = false;
};

}  // namespace kelvaro
