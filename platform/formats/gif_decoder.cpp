#include "platform/formats/gif_decoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include "platform/formats/format_error.h"

namespace kelvaro::formats {

QImage GifDecoder::decode(const ByteView& data) {
  if (!looksLikeGif(data)) throw FormatError("not a GIF picture");
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data.bytes().data()),
                                             static_cast<qsizetype>(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "gif");
  reader.setDecideFormatFromContent(false);
  QImage image = reader.read();
  if (image.isNull()) throw FormatError("GIF: " + reader.errorString().toStdString());
  return image;
}

}  // namespace kelvaro::formats
