// A saved enhanced metafile: the header (bounds, frame in 0.01 mm, description, reference
// device), then each recorded call bracketed by SAVEDC and RESTOREDC with the state it ran under
// (world transform, origins, clip, pen, brush, font, colours, mixes, position) ahead of its own
// records, then the end record. Plain records only: no EMF+ part. Internal to the platform
// library.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/emf_records.h"
#include "platform/win32/metafile_recording.h"

namespace win32::emf {

struct FileDescription {
  RECT frame{};                // 0.01 mm
  SIZE pictureSize{};          // the recording surface, in device pixels
  std::u16string description;  // with its embedded and closing nulls
  SIZE devicePixels{};         // the reference device
  SIZE deviceMillimetres{};
};

Bytes EnhancedMetafile(const std::vector<gdi::RecordedCall>& calls, const FileDescription& file);

}  // namespace win32::emf
