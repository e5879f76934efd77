// ByteStringReader: the base of the stream readers that hand the browser bytes held in memory
// (a page, a script, an HTML text). It owns its bytes and a read position; reference counted
// from 0, it lives as long as the browser holds it. Subclasses decide how Read checks its
// arguments.
#pragma once

#include <string>

#include "platform/pendrel/stream_reader.h"
#include "platform/win32/com_object.h"

namespace Quor {

class ByteStringReader : public SimpleUnknownImp1<IQuorStreamReader, 0> {
 public:
  // Moves to the clamped position; a position before the end reads again from there.
  HRESULT Seek(LONG offset, DWORD origin) override;
  HRESULT GetPosition(DWORD* position) override;
  // S_OK once every byte has been read, S_FALSE before, like every reader of the module.
  HRESULT IsEnd() override;

  const std::string& Data() const { return m_data; }

 protected:
  // `nullPosition` is what GetPosition answers for a null argument.
  ByteStringReader(std::string data, HRESULT nullPosition);

  // Copies up to `bytes` bytes from the position, advances past them and returns the count.
  DWORD CopyOut(void* target, unsigned long long bytes);

 private:
  std::string m_data;
  DWORD m_position = 0;
  HRESULT m_nullPosition;
};

}  // namespace Quor
