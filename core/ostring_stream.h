// Quor::OStringStream: a wide output stream that writes into a Quor::String, formatting in the
// classic locale whatever the process's global locale is.
#pragma once

#include <ostream>

#include "core/string_streambuf.h"

namespace Quor {

class OStringStream : public std::basic_ostream<wchar_t> {
 public:
  OStringStream();
  ~OStringStream() override;

  // The text written so far, sharing the buffer's representation (no copy).
  String str() { return m_buffer.str(); }
  StringStreamBuf* rdbuf() { return &m_buffer; }

 private:
  StringStreamBuf m_buffer;
};

}  // namespace Quor
