// The GDI+ image encoders: PNG, JPEG, GIF, TIFF and BMP, each known by a class id of ours and
// its MIME type, listed as codec records, and the saving of an image to a file with one of them.
// JPEG and BMP hold no transparency, so images are composited on white for them; GIF keeps up
// to 256 exact colours (else a fixed colour cube) with fully transparent pixels as one
// transparent index.
#pragma once

#include "platform/gdiplus/image.h"
#include "platform/win32/guid.h"

namespace Gdiplus {

struct ImageCodecInfo {
  CLSID Clsid;
  GUID FormatID;
  const WCHAR* CodecName;
  const WCHAR* DllName;
  const WCHAR* FormatDescription;
  const WCHAR* FilenameExtension;
  const WCHAR* MimeType;
  DWORD Flags;
  DWORD Version;
  DWORD SigCount;
  DWORD SigSize;
  const BYTE* SigPattern;
  const BYTE* SigMask;
};

constexpr DWORD ImageCodecFlagsEncoder = 0x00000001;
constexpr DWORD ImageCodecFlagsSupportBitmap = 0x00000004;
constexpr DWORD ImageCodecFlagsBuiltin = 0x00010000;

struct EncoderParameter {
  GUID Guid;
  ULONG NumberOfValues;
  ULONG Type;
  void* Value;
};

struct EncoderParameters {
  UINT Count;
  EncoderParameter Parameter[1];
};

using GpImage = Image;

}  // namespace Gdiplus

// The number of encoders and the bytes GdipGetImageEncoders needs for them and their texts.
Gdiplus::Status GdipGetImageEncodersSize(UINT* count, UINT* size);
// Fills `encoders` with `count` records followed by their texts; InsufficientBuffer when `size`
// is smaller than GdipGetImageEncodersSize says, InvalidParameter when `count` differs.
Gdiplus::Status GdipGetImageEncoders(UINT count, UINT size, Gdiplus::ImageCodecInfo* encoders);
// Encodes a bitmap and writes the file whole, or leaves no file: InvalidParameter for a null
// argument, an unknown encoder or an image without pixels; NotImplemented for a metafile;
// Win32Error when the file cannot be written.
Gdiplus::Status GdipSaveImageToFile(Gdiplus::GpImage* image, const WCHAR* fileName, const CLSID* encoder,
                                    const Gdiplus::EncoderParameters* parameters);

namespace Gdiplus {

inline Status GetImageEncodersSize(UINT* count, UINT* size) { return GdipGetImageEncodersSize(count, size); }
inline Status GetImageEncoders(UINT count, UINT size, ImageCodecInfo* encoders) {
  return GdipGetImageEncoders(count, size, encoders);
}

}  // namespace Gdiplus
