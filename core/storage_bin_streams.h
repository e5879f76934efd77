// The binary streams over a host's IStream: every such stream begins with the storage stream
// header, which carries the format version of what follows.
//
// Reading: construct on the IStream (the header is read), read, check GetState, destroy.
// Writing: construct (the header is written), write, then Close and report what it returns:
// the last buffered block only reaches the IStream there, and a failure to write it is lost
// when it is left to the destructor.
#pragma once

#include "core/bin_istream.h"
#include "core/bin_ostream.h"
#include "core/storage_stream_buf.h"

namespace Quor {

class StorageBinIStreamLite : public BinIStream {
 public:
  explicit StorageBinIStreamLite(IStream* stream);
  ~StorageBinIStreamLite() override;

 private:
  StorageInStreamBuf m_storage;
};

class StorageBinOStreamLite : public BinOStream {
 public:
  explicit StorageBinOStreamLite(IStream* stream);
  ~StorageBinOStreamLite() override;

  // Writes what is buffered and lets go of the IStream: S_OK only when everything written
  // reached it; a second call reports the same. The storage itself is not committed; that is
  // the host's business.
  HRESULT Close();
  // Starts the stream anew: buffered bytes are dropped and the IStream is cut to length 0.
  void Rewind() override;

 private:
  StorageOutStreamBuf m_storage;
};

}  // namespace Quor
