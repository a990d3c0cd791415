#include "platform/formats/bmp_reader.h"

#include "platform/formats/bmp_layout.h"

namespace kelvaro::formats {

DibImage BmpReader::read(const ByteView& data) {
  const BitmapFileHeader file = BitmapFileHeader::read(data);
  return DibDecoder::decode(data, BitmapFileHeader::kSize, file.pixelOffset, DibDecoder::Purpose::Picture);
}

}  // namespace kelvaro::formats
