#include "hostframework/tabulon/chan_value_func.h"

#include "core/com_call_guard.h"

namespace {

// The channel word the source composes a channel title with.
constexpr DWORD kChannelTitleFlags = 0xC0002000;
constexpr DWORD kChannelUnitFlags = 0x40000000;

}  // namespace

HRESULT ChanValueFunc::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IQuorDataFunction::iid) {
    *object = static_cast<IQuorDataFunction*>(this);
    AddRef();
    return S_OK;
  }
  return TabulonFuncBase::QueryInterface(iid, object);
}

HRESULT ChanValueFunc::SetSource(LONG_PTR, IPendrelRecordData* source) {
  if (source == m_source.Get()) return S_OK;
  MarkDirty(kTabulonSourceChanged);
  m_source = Quor::ComPtr<IPendrelRecordData>(source);
  m_sourceId[0] = kTabulonNoSourceId;
  m_sourceId[1] = 0;
  m_sourceWord = 0;
  if (source) source->GetIdPair(&m_sourceId[0], &m_sourceId[1]);
  return S_OK;
}

HRESULT ChanValueFunc::SetChannel(LONG_PTR, IQuorBitset* channels) {
  return Quor::GuardedCall([&] {
    Quor::Bitset given = Quor::Bitset::FromInterface(channels);
    if (!(given == m_channels)) {
      MarkDirty(kTabulonSelectionChanged);
      m_channels = given;
    }
    return S_OK;
  });
}

HRESULT ChanValueFunc::SetSelection(LONG_PTR, LONGLONG position, DWORD word, LONG startOffset,
                                    LONG startRecord, LONG endOffset, LONG endRecord) {
  const TabulonSelection given{startOffset, startRecord, endOffset, endRecord};
  if (position == m_selectionPosition && word == m_selectionWord && given == m_selection) {
    return S_OK;
  }
  MarkDirty(kTabulonSelectionChanged);
  m_selectionPosition = position;
  m_selectionWord = word;
  m_selection = given;
  m_selectionValid = startRecord != kTabulonNoRecord && endRecord != kTabulonNoRecord;
  return S_OK;
}

HRESULT ChanValueFunc::SetActivePoint(LONG_PTR, LONGLONG position, DWORD word, LONG offset,
                                      LONG record, DWORD word2, LONG_PTR) {
  if (position == m_activePosition && record == m_activeRecord && offset == m_activeOffset &&
      word2 == m_activeWord2) {
    return S_OK;
  }
  MarkDirty(kTabulonActivePointChanged);
  m_activePosition = position;
  m_activeWord = word;
  m_activeOffset = offset;
  m_activeRecord = record;
  m_activeWord2 = word2;
  m_activePointValid = record != kTabulonNoRecord;
  return S_OK;
}

HRESULT ChanValueFunc::Evaluate(DWORD, LONG, DWORD, VARIANT* value) {
  ClearValue();
  SetLastResult(E_FAIL);
  const HRESULT copied = CopyTabulonValue(Value(), value);
  return FAILED(copied) ? copied : E_FAIL;
}

HRESULT ChanValueFunc::SetEnabled(BOOL cancel) {
  SetCancelled(cancel != FALSE);
  return S_OK;
}

HRESULT ChanValueFunc::GetChannelUnit(IUnknown** unit) {
  if (!unit) return E_POINTER;
  *unit = nullptr;
  const bool channelValue = ClassObject().Info().valueFlags[1] & kTabulonChannelValueFlag;
  if (!channelValue || Channel() < 0 || !m_source) return S_FALSE;
  m_source->GetChannelUnit(kChannelUnitFlags, Channel(), 0, unit);
  return S_OK;
}

HRESULT ChanValueFunc::GetUnitString(IQuorString** unit) {
  if (!unit) return E_POINTER;
  *unit = nullptr;
  if (!m_selectionValid) return S_FALSE;
  return Quor::GuardedCall([&] {
    *unit = m_unitText.GetInterface();
    return S_OK;
  });
}

HRESULT ChanValueFunc::Detach() {
  TabulonFuncBase::Detach();
  m_source.Clear();
  return S_OK;
}

HRESULT ChanValueFunc::GetNumberFormat(LONG_PTR, LONG_PTR, IQuorString** format) {
  if (format) *format = nullptr;
  return E_NOTIMPL;
}

void ChanValueFunc::UpdateChannelTitle() {
  m_channelTitle = Quor::String();
  if (Channel() < 0 || !m_source) return;
  IQuorString* title = nullptr;
  if (SUCCEEDED(m_source->GetChannelTitle(kChannelTitleFlags, m_selectionWord, Channel(), &title)) &&
      title) {
    m_channelTitle.Adopt(title);
  }
}
