#include "platform/gdiplus/encoders.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/gdiplus/image_encoding.h"
#include "platform/gdiplus/metafile.h"
#include "platform/gdiplus/startup.h"
#include "platform/win32/utf8_path.h"

namespace {

using Gdiplus::detail::Bytes;
using Gdiplus::detail::PixelRows;

struct Codec {
  CLSID clsid;
  GUID format;
  std::u16string name, description, extensions, mimeType;
  bool (*encode)(const PixelRows&, Bytes&, std::string&);
};

// Class ids of our own; a caller finds them through the codec records, by MIME type.
const std::vector<Codec>& Codecs() {
  static const std::vector<Codec> codecs = {
      {win32::ParseGuid("5a3c9e10-7d41-4c1b-9b6e-21f0a8d4c301"), win32::ParseGuid("5a3c9e11-7d41-4c1b-9b6e-21f0a8d4c301"),
       u"Built-in BMP Codec", u"BMP", u"*.BMP;*.DIB;*.RLE", u"image/bmp", Gdiplus::detail::EncodeBmp},
      {win32::ParseGuid("5a3c9e10-7d41-4c1b-9b6e-21f0a8d4c302"), win32::ParseGuid("5a3c9e11-7d41-4c1b-9b6e-21f0a8d4c302"),
       u"Built-in JPEG Codec", u"JPEG", u"*.JPG;*.JPEG;*.JPE;*.JFIF", u"image/jpeg", Gdiplus::detail::EncodeJpeg},
      {win32::ParseGuid("5a3c9e10-7d41-4c1b-9b6e-21f0a8d4c303"), win32::ParseGuid("5a3c9e11-7d41-4c1b-9b6e-21f0a8d4c303"),
       u"Built-in GIF Codec", u"GIF", u"*.GIF", u"image/gif", Gdiplus::detail::EncodeGif},
      {win32::ParseGuid("5a3c9e10-7d41-4c1b-9b6e-21f0a8d4c304"), win32::ParseGuid("5a3c9e11-7d41-4c1b-9b6e-21f0a8d4c304"),
       u"Built-in TIFF Codec", u"TIFF", u"*.TIF;*.TIFF", u"image/tiff", Gdiplus::detail::EncodeTiff},
      {win32::ParseGuid("5a3c9e10-7d41-4c1b-9b6e-21f0a8d4c305"), win32::ParseGuid("5a3c9e11-7d41-4c1b-9b6e-21f0a8d4c305"),
       u"Built-in PNG Codec", u"PNG", u"*.PNG", u"image/png", Gdiplus::detail::EncodePng},
  };
  return codecs;
}

constexpr std::u16string_view kDllName = u"gdiplus";

std::size_t TextBytes(const std::u16string_view& text) { return (text.size() + 1) * sizeof(WCHAR); }

std::size_t EncodersSize() {
  std::size_t size = 0;
  for (const Codec& codec : Codecs()) {
    size += sizeof(Gdiplus::ImageCodecInfo) + TextBytes(codec.name) + TextBytes(kDllName) +
            TextBytes(codec.description) + TextBytes(codec.extensions) + TextBytes(codec.mimeType);
  }
  return size;
}

// Copies a text into the buffer's text area and returns where it landed.
const WCHAR* PlaceText(unsigned char*& cursor, std::u16string_view text) {
  auto* placed = reinterpret_cast<WCHAR*>(cursor);
  std::memcpy(placed, text.data(), text.size() * sizeof(WCHAR));
  placed[text.size()] = 0;
  cursor += TextBytes(text);
  return placed;
}

bool WriteWhole(const std::string& path, const Bytes& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return true;
  std::remove(path.c_str());
  return false;
}

}  // namespace

Gdiplus::Status GdipGetImageEncodersSize(UINT* count, UINT* size) {
  if (!count || !size) return Gdiplus::InvalidParameter;
  if (!Gdiplus::IsGdiplusRunning()) return Gdiplus::GdiplusNotInitialized;
  *count = UINT(Codecs().size());
  *size = UINT(EncodersSize());
  return Gdiplus::Ok;
}

Gdiplus::Status GdipGetImageEncoders(UINT count, UINT size, Gdiplus::ImageCodecInfo* encoders) {
  if (!encoders || count != Codecs().size()) return Gdiplus::InvalidParameter;
  if (!Gdiplus::IsGdiplusRunning()) return Gdiplus::GdiplusNotInitialized;
  if (size < EncodersSize()) return Gdiplus::InsufficientBuffer;
  unsigned char* texts = reinterpret_cast<unsigned char*>(encoders + count);
  for (std::size_t i = 0; i < Codecs().size(); ++i) {
    const Codec& codec = Codecs()[i];
    Gdiplus::ImageCodecInfo& info = encoders[i];
    info = {};
    info.Clsid = codec.clsid;
    info.FormatID = codec.format;
    info.CodecName = PlaceText(texts, codec.name);
    info.DllName = PlaceText(texts, kDllName);
    info.FormatDescription = PlaceText(texts, codec.description);
    info.FilenameExtension = PlaceText(texts, codec.extensions);
    info.MimeType = PlaceText(texts, codec.mimeType);
    info.Flags = Gdiplus::ImageCodecFlagsEncoder | Gdiplus::ImageCodecFlagsSupportBitmap | Gdiplus::ImageCodecFlagsBuiltin;
    info.Version = 1;
  }
  return Gdiplus::Ok;
}

Gdiplus::Status GdipSaveImageToFile(Gdiplus::GpImage* image, const WCHAR* fileName, const CLSID* encoder,
                                    const Gdiplus::EncoderParameters*) {
  if (!image || !fileName || !encoder) return Gdiplus::InvalidParameter;
  if (!Gdiplus::IsGdiplusRunning()) return Gdiplus::GdiplusNotInitialized;
  if (dynamic_cast<Gdiplus::Metafile*>(image)) return Gdiplus::NotImplemented;
  auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(image);
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok || bitmap->GetWidth() == 0 || bitmap->GetHeight() == 0)
    return Gdiplus::InvalidParameter;
  const Codec* codec = nullptr;
  for (const Codec& candidate : Codecs())
    if (candidate.clsid == *encoder) codec = &candidate;
  std::string path;
  if (!codec || !win32::Utf8PathFromName(fileName, path)) return Gdiplus::InvalidParameter;
  const PixelRows pixels{bitmap->GetWidth(), bitmap->GetHeight(), bitmap->Pixels().data()};
  Bytes bytes;
  std::string error;
  if (!codec->encode(pixels, bytes, error)) return Gdiplus::GenericError;
  return WriteWhole(path, bytes) ? Gdiplus::Ok : Gdiplus::Win32Error;
}

namespace Gdiplus {

ARGB detail::OverWhite(ARGB colour) {
  const unsigned a = colour >> 24;
  auto blend = [a](unsigned channel) { return 255 - (255 - channel) * a / 255; };
  return 0xFF000000u | blend(colour >> 16 & 0xFF) << 16 | blend(colour >> 8 & 0xFF) << 8 | blend(colour & 0xFF);
}

Status Image::Save(const WCHAR* fileName, const CLSID* encoder, const EncoderParameters* parameters) {
  return Report(GdipSaveImageToFile(this, fileName, encoder, parameters));
}

}  // namespace Gdiplus
