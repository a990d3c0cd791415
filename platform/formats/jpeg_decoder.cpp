#include "platform/formats/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "platform/formats/dib_decoder.h"
#include "platform/formats/format_error.h"

namespace kelvaro::formats {
namespace {

// Everything the decoding touches after setjmp lives here, in memory that
// longjmp leaves alone, so nothing is in an indeterminate state afterwards.
struct JpegJob {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  std::jmp_buf recovery{};
  char message[JMSG_LENGTH_MAX] = {};
  bool created = false;
  QImage image;
  std::vector<JSAMPLE> row;
};

JpegJob* jobOf(j_common_ptr info) { return static_cast<JpegJob*>(info->client_data); }

[[noreturn]] void onError(j_common_ptr info) {
  JpegJob* job = jobOf(info);
  (*info->err->format_message)(info, job->message);
  std::longjmp(job->recovery, 1);
}

void onMessage(j_common_ptr, int) {}  // warnings and traces go nowhere

void convertRow(JpegJob& job, int y) {
  const jpeg_decompress_struct& info = job.info;
  auto* dst = reinterpret_cast<QRgb*>(job.image.scanLine(y));
  const JSAMPLE* src = job.row.data();
  for (JDIMENSION x = 0; x < info.output_width; ++x) {
    switch (info.out_color_space) {
      case JCS_GRAYSCALE:
        dst[x] = qRgb(src[x], src[x], src[x]);
        break;
      case JCS_CMYK: {
        // Adobe writes CMYK inverted; libjpeg hands it back as stored.
        int c = src[4 * x], m = src[4 * x + 1], ye = src[4 * x + 2], k = src[4 * x + 3];
        if (!info.saw_Adobe_marker) {
          c = 255 - c;
          m = 255 - m;
          ye = 255 - ye;
          k = 255 - k;
        }
        dst[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
        break;
      }
      default:
        dst[x] = qRgb(src[3 * x], src[3 * x + 1], src[3 * x + 2]);
        break;
    }
  }
}

// Returns false with job->message set when libjpeg gave up.
bool run(JpegJob* job, const ByteView& data) {
  job->info.err = jpeg_std_error(&job->errors);
  job->errors.error_exit = onError;
  job->errors.emit_message = onMessage;
  job->info.client_data = job;
  if (setjmp(job->recovery) != 0) return false;

  jpeg_create_decompress(&job->info);
  job->created = true;
  jpeg_mem_src(&job->info, data.bytes().data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&job->info, TRUE);
  switch (job->info.jpeg_color_space) {
    case JCS_GRAYSCALE:
      job->info.out_color_space = JCS_GRAYSCALE;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      job->info.out_color_space = JCS_CMYK;
      break;
    default:
      job->info.out_color_space = JCS_RGB;
      break;
  }
  jpeg_start_decompress(&job->info);
  const std::int64_t pixels = static_cast<std::int64_t>(job->info.output_width) * job->info.output_height;
  if (pixels <= 0 || pixels > DibDecoder::kMaxPixels) {
    std::snprintf(job->message, sizeof job->message, "JPEG picture too large");
    return false;
  }
  job->image = QImage(static_cast<int>(job->info.output_width), static_cast<int>(job->info.output_height),
                      QImage::Format_RGB32);
  if (job->image.isNull()) {
    std::snprintf(job->message, sizeof job->message, "not enough memory for the picture");
    return false;
  }
  job->row.resize(static_cast<std::size_t>(job->info.output_width) * job->info.output_components);
  while (job->info.output_scanline < job->info.output_height) {
    JSAMPROW rows[1] = {job->row.data()};
    const int y = static_cast<int>(job->info.output_scanline);
    if (jpeg_read_scanlines(&job->info, rows, 1) != 1) break;
    convertRow(*job, y);
  }
  jpeg_finish_decompress(&job->info);
  return true;
}

}  // namespace

QImage JpegDecoder::decode(const ByteView& data) {
  auto job = std::make_unique<JpegJob>();
  const bool ok = run(job.get(), data);
  if (job->created) jpeg_destroy_decompress(&job->info);
  if (!ok) throw FormatError(std::string("JPEG: ") + job->message);
  return std::move(job->image);
}

}  // namespace kelvaro::formats
