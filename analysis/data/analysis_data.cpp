#include "analysis/data/analysis_data.h"

#include "analysis/settings/stream_fields.h"
#include "core/com_call_guard.h"
#include "core/storage_bin_streams.h"
#include "core/string_record.h"
#include "core/xquor.h"

namespace Rhyth {

namespace {

constexpr LONG kDataVersion = 6;
constexpr DWORD kOlderDataLayout = 0x10007;

// Positions one by one: a count that claims more than the stream holds ends in a failed
// read, never in a large allocation.
bool ReadPositions(Quor::BinIStream& in, UserEventData::Positions& positions) {
  DWORD count = 0;
  ReadField(in, count);
  for (DWORD i = 0; i < count && in.Good(); ++i) {
    BeatPosition position{};
    ReadField(in, position.record);
    ReadField(in, position.offset);
    if (in.Good()) positions.insert(position);
  }
  return in.Good();
}

void WritePositions(Quor::BinOStream& out, const UserEventData::Positions& positions) {
  WriteField(out, DWORD(positions.size()));
  for (const BeatPosition& position : positions) {
    WriteField(out, position.record);
    WriteField(out, position.offset);
  }
}

// The older layout carried only the analysis region.
HRESULT ReadOlderLayout(Quor::BinIStream& in, Settings* settings) {
  DWORD blockVersion = 0, tag = 0, ignored = 0;
  ReadField(in, blockVersion);
  if (blockVersion < 101 || blockVersion > 103) return E_FAIL;
  ReadField(in, tag);
  if (tag != 0x10008) return E_FAIL;
  double ignoredValue = 0;
  Quor::String ignoredText;
  ReadField(in, ignored);
  ReadField(in, ignoredValue);
  Quor::ReadString(in, ignoredText);
  ReadField(in, ignored);
  if (blockVersion == 101) return E_FAIL;
  ReadField(in, ignored);
  for (int i = 0; i < 5; ++i) Quor::ReadString(in, ignoredText);
  ReadField(in, tag);
  if (tag != 0x10009) return E_FAIL;
  ReadField(in, ignored);
  ReadField(in, ignored);
  AnalysisRegion region;
  ReadField(in, region.startRecord);
  ReadField(in, region.startOffset);
  ReadField(in, region.endRecord);
  ReadField(in, region.endOffset);
  if (!in.Good()) return E_FAIL;
  if (settings) settings->analysis.region = region;
  return S_OK;
}

}  // namespace

Data::Data(Settings* settings) : m_settings(settings), m_userEvents(new UserEventData) {
  if (m_settings) m_settings->AddRef();
  m_userEvents->AddRef();
  m_userEvents->Clear();
}

Data::~Data() {
  m_userEvents->Release();
  if (m_settings) m_settings->Release();
}

HRESULT Data::GetClassID(CLSID* classId) {
  if (!classId) return E_POINTER;
  *classId = GUID_RhythDocumentObj;
  return S_OK;
}

HRESULT Data::Load(IStream* stream) {
  return Quor::GuardedCall([&]() -> HRESULT {
    Quor::StorageBinIStreamLite in(stream);
    DWORD version = 0;
    if (FAILED(in.ReadUInt32(&version))) return kXQuorDataTruncated;
    if (version == kOlderDataLayout) {
      try {
        ReadOlderLayout(in, m_settings);
      } catch (const XQuor&) {
      }
    } else {
      if (version > DWORD(kDataVersion)) return kXQuorNewerVersion;
      UserEventData::Positions added, removed;
      // Half-read data would lose the user's edits: keep the ones there are instead.
      if (!ReadPositions(in, added) || !ReadPositions(in, removed)) return kXQuorDataTruncated;
      m_userEvents->Assign(std::move(added), std::move(removed));
    }
    inUse = secondStored = 1;
    dirty = 0;
    return S_OK;
  });
}

HRESULT Data::Save(IStream* stream, BOOL clearDirty) {
  return SaveRecord(stream, clearDirty, dirty, [this](Quor::BinOStream& out) {
    WriteField(out, kDataVersion);
    WritePositions(out, m_userEvents->Added());
    WritePositions(out, m_userEvents->Removed());
  });
}

}  // namespace Rhyth
