#include "core/storage_bin_streams.h"

#include "core/storage_stream_header.h"

namespace Quor {

StorageBinIStreamLite::StorageBinIStreamLite(IStream* stream) : BinIStream(&m_storage) {
  if (!m_storage.open(stream)) Fail(kBufferFailed);
  ReadHeaderVersion();
}

StorageBinIStreamLite::~StorageBinIStreamLite() {
  if (m_storage.is_open()) m_storage.close();
}

StorageBinOStreamLite::StorageBinOStreamLite(IStream* stream) : BinOStream(&m_storage) {
  if (!m_storage.open(stream)) Fail(kBufferFailed);
  WriteInt32(static_cast<LONG>(StorageStreamHeader(kStorageStreamVersion)));
}

StorageBinOStreamLite::~StorageBinOStreamLite() {
  if (m_storage.is_open()) m_storage.close();
}

HRESULT StorageBinOStreamLite::Close() {
  if (m_storage.is_open()) {
    Flush();
    if (!m_storage.close()) Fail(kBufferFailed);
  }
  return StateResult();
}

void StorageBinOStreamLite::Rewind() {
  if (Good() && !m_storage.Truncate()) Fail(kTransferFailed);
}

}  // namespace Quor
