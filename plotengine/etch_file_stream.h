// Quor::EtchFileStream: a reader over one file of the plot page's pseudo-URL prefix: the page
// "local.html", an embedded script, or a script set. Made for each request; lives as long as
// the browser holds it.
#pragma once

#include <string>

#include "plotengine/byte_string_reader.h"

namespace Quor {

class EtchFileStream : public ByteStringReader {
 public:
  // The file's bytes; `mime` receives its MIME type, or is left empty (with no bytes) for a
  // name whose extension has none.
  EtchFileStream(const std::string& name, std::string& mime);

  // Reads elementSize x count bytes at most.
  HRESULT Read(void* target, DWORD elementSize, DWORD count, DWORD* read) override;
};

}  // namespace Quor
