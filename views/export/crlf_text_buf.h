// A wide stream buffer that lays text out as a text file of the module's first platform: each
// character as one byte and each line feed as CR LF. The text it takes is numbers in the
// classic locale, so every character is ASCII; any other character fails the stream. Bytes
// collect in blocks that go to a ReplacingFile as they fill; Finish sends the rest. A failed
// write fails the stream, and Failure tells why. Lives on the stack of one export.
#pragma once

#include <streambuf>
#include <string>

#include "platform/win32/hresult.h"
#include "views/export/replacing_file.h"

namespace Rhyth {

class CrLfTextBuf : public std::wstreambuf {
 public:
  explicit CrLfTextBuf(ReplacingFile& file);

  // Sends what is left: S_OK, or the first failure.
  HRESULT Finish();
  HRESULT Failure() const { return m_failure; }

 protected:
  int_type overflow(int_type character) override;
  std::streamsize xsputn(const char_type* text, std::streamsize count) override;
  // A flush after every line would cost a system call per line: lines go out in blocks.
  int sync() override { return FAILED(m_failure) ? -1 : 0; }

 private:
  bool Put(char_type character);
  bool SendBlock();

  ReplacingFile& m_file;
  std::string m_block;
  HRESULT m_failure = S_OK;
};

}  // namespace Rhyth
