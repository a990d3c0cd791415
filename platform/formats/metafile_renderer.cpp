#include "platform/formats/metafile_renderer.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QByteArray>
#include <QPainter>
#include <QSvgRenderer>

#include "platform/formats/format_error.h"

extern "C" {
#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>
}

namespace kelvaro::formats {
namespace {

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kWmfHeaderSize = 18;

// Renders the SVG at `wanted` (or its own size when that is empty).
QImage renderSvg(const QByteArray& svg, const char* what, QSize wanted = {}) {
  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) throw FormatError(std::string(what) + ": the drawing could not be converted");
  QSize size = wanted.isEmpty() ? renderer.defaultSize() : wanted;
  if (size.isEmpty()) throw FormatError(std::string(what) + ": the picture has no size");
  if (size.width() > MetafileRenderer::kMaxSide || size.height() > MetafileRenderer::kMaxSide) {
    size.scale(MetafileRenderer::kMaxSide, MetafileRenderer::kMaxSide, Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
  }
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) throw FormatError("not enough memory for the picture");
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  }
  return image.convertToFormat(QImage::Format_ARGB32);
}

std::size_t wmfHeaderOffset(const ByteView& data) {
  return (data.size() >= 4 && data.u32(0) == kPlaceableKey) ? kPlaceableSize : 0;
}

}  // namespace

bool MetafileRenderer::looksLikeEmf(const ByteView& data) {
  return data.size() >= 44 && data.u32(0) == kEmrHeader && data.u32(40) == kEmfSignature;
}

bool MetafileRenderer::looksLikeWmf(const ByteView& data) {
  if (data.size() >= 4 && data.u32(0) == kPlaceableKey) return true;
  if (data.size() < kWmfHeaderSize) return false;
  const std::uint16_t type = data.u16(0);
  const std::uint16_t headerWords = data.u16(2);
  const std::uint16_t version = data.u16(4);
  return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

void MetafileRenderer::checkEmfRecords(const ByteView& data) {
  if (!looksLikeEmf(data)) throw FormatError("not an enhanced metafile");
  const std::uint32_t headerSize = data.u32(4);
  if (headerSize < 88 || headerSize % 4 != 0 || headerSize > data.size()) {
    throw FormatError("enhanced metafile with a broken header");
  }
  std::size_t offset = 0;
  while (offset + 8 <= data.size()) {
    const std::uint32_t type = data.u32(offset);
    const std::uint32_t size = data.u32(offset + 4);
    if (size < 8 || size % 4 != 0 || !data.contains(offset, size)) {
      throw FormatError("enhanced metafile record at " + std::to_string(offset) + " runs past the end");
    }
    if (type == kEmrEof) return;
    offset += size;
  }
  throw FormatError("enhanced metafile without its end record");
}

void MetafileRenderer::checkWmfRecords(const ByteView& data) {
  if (!looksLikeWmf(data)) throw FormatError("not a Windows metafile");
  const std::size_t start = wmfHeaderOffset(data);
  if (!data.contains(start, kWmfHeaderSize)) throw FormatError("Windows metafile header cut short");
  const std::uint16_t type = data.u16(start);
  const std::uint16_t headerWords = data.u16(start + 2);
  if ((type != 1 && type != 2) || headerWords != 9)
    throw FormatError("Windows metafile with a broken header");
  std::size_t offset = start + kWmfHeaderSize;
  while (offset + 6 <= data.size()) {
    const std::uint64_t words = data.u32(offset);
    const std::uint16_t function = data.u16(offset + 4);
    if (words < 3 || !data.contains(offset, static_cast<std::size_t>(words * 2))) {
      throw FormatError("Windows metafile record at " + std::to_string(offset) + " runs past the end");
    }
    if (function == 0) return;  // META_EOF
    offset += static_cast<std::size_t>(words * 2);
  }
  throw FormatError("Windows metafile without its end record");
}

QImage MetafileRenderer::renderEmf(const ByteView& data) {
  checkEmfRecords(data);
  std::vector<char> contents(data.bytes().begin(), data.bytes().end());
  generatorOptions options{};
  char nameSpace[] = "svg";
  options.nameSpace = nameSpace;
  options.verbose = false;
  options.emfplus = true;
  options.svgDelimiter = true;
  char* svg = nullptr;
  std::size_t svgLength = 0;
  const int ok = emf2svg(contents.data(), contents.size(), &svg, &svgLength, &options);
  std::unique_ptr<char, decltype(&std::free)> owned(svg, &std::free);
  if (!ok || !svg || svgLength == 0) throw FormatError("EMF: the drawing could not be converted");
  // rclBounds is inclusive: a picture from 0 to 39 is 40 pixels wide.
  const std::int64_t width = static_cast<std::int64_t>(data.s32(16)) - data.s32(8) + 1;
  const std::int64_t height = static_cast<std::int64_t>(data.s32(20)) - data.s32(12) + 1;
  QSize size;
  if (width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide) {
    size = QSize(static_cast<int>(width), static_cast<int>(height));
  }
  return renderSvg(QByteArray(svg, static_cast<qsizetype>(svgLength)), "EMF", size);
}

QImage MetafileRenderer::renderWmf(const ByteView& data) {
  checkWmfRecords(data);
  std::vector<unsigned char> contents(data.bytes().begin(), data.bytes().end());
  wmfAPI_Options options{};
  options.function = wmf_svg_function;
  const unsigned long flags =
      WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
  wmfAPI* api = nullptr;
  if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
    if (api) wmf_api_destroy(api);
    throw FormatError("WMF: the metafile library could not start");
  }
  // Everything libwmf allocates belongs to api and goes with it.
  std::unique_ptr<wmfAPI, decltype(&wmf_api_destroy)> owner(api, &wmf_api_destroy);
  QByteArray svg;
  if (wmf_mem_open(api, contents.data(), static_cast<long>(contents.size())) == wmf_E_None) {
    wmfD_Rect bbox{};
    if (wmf_scan(api, 0, &bbox) == wmf_E_None) {
      unsigned int width = 0, height = 0;
      wmf_display_size(api, &width, &height, 96, 96);
      wmf_svg_t* device = WMF_SVG_GetData(api);
      device->out = wmf_stream_create(api, nullptr);
      device->Description = nullptr;
      device->bbox = bbox;
      device->width = width;
      device->height = height;
      device->flags |= WMF_SVG_INLINE_IMAGES;
      if (device->out && wmf_play(api, 0, &bbox) == wmf_E_None) {
        char* text = nullptr;
        unsigned long length = 0;
        wmf_stream_destroy(api, device->out, &text, &length);
        device->out = nullptr;
        if (text) svg = QByteArray(text, static_cast<qsizetype>(length));
      }
    }
    wmf_mem_close(api);
  }
  if (svg.isEmpty()) throw FormatError("WMF: the drawing could not be converted");
  return renderSvg(svg, "WMF");
}

}  // namespace kelvaro::formats
