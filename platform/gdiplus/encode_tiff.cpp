#include <tiffio.h>

#include <algorithm>
#include <cstring>

#include "platform/gdiplus/image_encoding.h"

namespace Gdiplus::detail {

namespace {

// libtiff writes through these procedures into a growing byte buffer.
struct MemoryFile {
  Bytes& bytes;
  toff_t position = 0;
};

tsize_t ReadNothing(thandle_t, tdata_t, tsize_t) { return 0; }

tsize_t Write(thandle_t handle, tdata_t data, tsize_t size) {
  auto* file = static_cast<MemoryFile*>(handle);
  const std::size_t end = std::size_t(file->position) + std::size_t(size);
  if (file->bytes.size() < end) file->bytes.resize(end);
  std::memcpy(file->bytes.data() + file->position, data, std::size_t(size));
  file->position = end;
  return size;
}

toff_t Seek(thandle_t handle, toff_t offset, int whence) {
  auto* file = static_cast<MemoryFile*>(handle);
  const toff_t base = whence == SEEK_CUR ? file->position : whence == SEEK_END ? toff_t(file->bytes.size()) : 0;
  file->position = base + offset;
  return file->position;
}

int Close(thandle_t) { return 0; }
toff_t Size(thandle_t handle) { return toff_t(static_cast<MemoryFile*>(handle)->bytes.size()); }
int Map(thandle_t, tdata_t*, toff_t*) { return 0; }
void Unmap(thandle_t, tdata_t, toff_t) {}

}  // namespace

// RGBA with straight (unassociated) alpha, LZW-compressed, one strip per row.
bool EncodeTiff(const PixelRows& pixels, Bytes& out, std::string& error) {
  out.clear();
  MemoryFile file{out};
  TIFF* tiff = TIFFClientOpen("image", "w", &file, ReadNothing, Write, Seek, Close, Size, Map, Unmap);
  if (!tiff) {
    error = "the TIFF library could not start a file";
    return false;
  }
  const uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
  TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(pixels.width));
  TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(pixels.height));
  TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
  TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
  TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1);
  TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 96.0);
  TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 96.0);
  TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  std::vector<unsigned char> row(std::size_t(pixels.width) * 4);
  bool ok = true;
  for (UINT y = 0; ok && y < pixels.height; ++y) {
    for (UINT x = 0; x < pixels.width; ++x) {
      const ARGB colour = pixels.At(x, y);
      row[4 * x] = static_cast<unsigned char>(colour >> 16);
      row[4 * x + 1] = static_cast<unsigned char>(colour >> 8);
      row[4 * x + 2] = static_cast<unsigned char>(colour);
      row[4 * x + 3] = static_cast<unsigned char>(colour >> 24);
    }
    ok = TIFFWriteScanline(tiff, row.data(), y, 0) == 1;
  }
  if (!ok) error = "the TIFF library refused a row";
  TIFFClose(tiff);
  return ok;
}

}  // namespace Gdiplus::detail
