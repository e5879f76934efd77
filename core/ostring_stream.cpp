#include "core/ostring_stream.h"

#include <locale>

namespace Quor {

OStringStream::OStringStream()
    : std::basic_ostream<wchar_t>(nullptr),
      m_buffer(std::ios_base::in | std::ios_base::out) {
  std::basic_ostream<wchar_t>::rdbuf(&m_buffer);  // also clears the state set for no buffer
  imbue(std::locale::classic());
}

OStringStream::~OStringStream() = default;

}  // namespace Quor
