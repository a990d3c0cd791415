#include "platform/formats/picture_decoder.h"

#include "platform/formats/ani_reader.h"
#include "platform/formats/bmp_reader.h"
#include "platform/formats/format_error.h"
#include "platform/formats/gif_decoder.h"
#include "platform/formats/ico_reader.h"
#include "platform/formats/jpeg_decoder.h"
#include "platform/formats/metafile_renderer.h"

namespace kelvaro::formats {

DecodedPicture PictureDecoder::decode(const ByteView& data) {
  DecodedPicture out;
  if (BmpReader::looksLikeBmp(data)) {
    DibImage dib = BmpReader::read(data);
    out.image = std::move(dib.image);
    out.bitsPerPixel = dib.bitsPerPixel;
    out.kind = PictureKind::Bmp;
  } else if (JpegDecoder::looksLikeJpeg(data)) {
    out.image = JpegDecoder::decode(data);
    out.bitsPerPixel = 24;
    out.kind = PictureKind::Jpeg;
  } else if (GifDecoder::looksLikeGif(data)) {
    out.image = GifDecoder::decode(data);
    out.bitsPerPixel = 8;
    out.kind = PictureKind::Gif;
  } else if (AniReader::looksLikeAni(data)) {
    AnimatedCursor ani = AniReader::read(data);
    const IconImage& first = ani.frames.at(static_cast<std::size_t>(ani.steps.at(0).frame));
    out.image = first.image;
    out.bitsPerPixel = first.bitsPerPixel;
    out.kind = PictureKind::AnimatedCursor;
  } else if (IcoReader::looksLikeIcon(data)) {
    const IconFile icon = IcoReader::read(data);
    const IconImage& best = IcoReader::best(icon, 32);
    out.image = best.image;
    out.bitsPerPixel = best.bitsPerPixel;
    out.kind = icon.cursor ? PictureKind::Cursor : PictureKind::Icon;
  } else if (MetafileRenderer::looksLikeEmf(data)) {
    out.image = MetafileRenderer::renderEmf(data);
    out.bitsPerPixel = 32;
    out.kind = PictureKind::Emf;
  } else if (MetafileRenderer::looksLikeWmf(data)) {
    out.image = MetafileRenderer::renderWmf(data);
    out.bitsPerPixel = 32;
    out.kind = PictureKind::Wmf;
  } else {
    throw FormatError("not a picture in a known format");
  }
  return out;
}

std::string PictureDecoder::kindName(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp:
      return "BMP";
    case PictureKind::Jpeg:
      return "JPEG";
    case PictureKind::Gif:
      return "GIF";
    case PictureKind::Icon:
      return "ICO";
    case PictureKind::Cursor:
      return "CUR";
    case PictureKind::AnimatedCursor:
      return "ANI";
    case PictureKind::Emf:
      return "EMF";
    case PictureKind::Wmf:
      return "WMF";
  }
  return "?";
}

}  // namespace kelvaro::formats
