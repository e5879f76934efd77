#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include "platform/gdiplus/image_encoding.h"

// The library's own truth macros stand for the platform's constants of the same names.
#include <jpeglib.h>
#undef TRUE
#undef FALSE

namespace Gdiplus::detail {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the encoder with the message kept.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void JumpOut(j_common_ptr info) {
  auto* manager = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, manager->message);
  std::longjmp(manager->jump, 1);
}

constexpr int kQuality = 75;

}  // namespace

bool EncodeJpeg(const PixelRows& pixels, Bytes& out, std::string& error) {
  jpeg_compress_struct info;
  ErrorManager manager;
  info.err = jpeg_std_error(&manager.base);
  manager.base.error_exit = JumpOut;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<JSAMPLE> row(std::size_t(pixels.width) * 3);
  if (setjmp(manager.jump)) {
    jpeg_destroy_compress(&info);
    std::free(buffer);
    error = manager.message;
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = pixels.width;
  info.image_height = pixels.height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kQuality, 1);
  jpeg_start_compress(&info, 1);
  while (info.next_scanline < info.image_height) {
    for (UINT x = 0; x < pixels.width; ++x) {
      const ARGB colour = OverWhite(pixels.At(x, info.next_scanline));
      row[3 * x] = JSAMPLE(colour >> 16 & 0xFF);
      row[3 * x + 1] = JSAMPLE(colour >> 8 & 0xFF);
      row[3 * x + 2] = JSAMPLE(colour & 0xFF);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  out.assign(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return true;
}

}  // namespace Gdiplus::detail
