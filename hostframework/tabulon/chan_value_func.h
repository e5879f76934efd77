// A Tabulon function over a host data source: the table gives it the source, the channel set
// and the selection (and the active point) through IQuorDataFunction before it evaluates, and
// each change that matters marks the dirty mask. The data face only evaluates in the functions
// derived from it that know which sources they can read.
#pragma once

#include "core/bitset.h"
#include "hostframework/tabulon/tabulon_func_base.h"

// The selection (or a position) as the table gives it.
struct TabulonSelection {
  LONG startOffset = kTabulonNoRecord;
  LONG startRecord = kTabulonNoRecord;
  LONG endOffset = kTabulonNoRecord;
  LONG endRecord = kTabulonNoRecord;
  bool operator==(const TabulonSelection&) const = default;
};

class ChanValueFunc : public TabulonFuncBase, public IQuorDataFunction {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return TabulonFuncBase::AddRef(); }
  ULONG Release() override { return TabulonFuncBase::Release(); }

  // IQuorDataFunction
  HRESULT SetSource(LONG_PTR reserved, IPendrelRecordData* source) override;
  HRESULT SetChannel(LONG_PTR reserved, IQuorBitset* channels) override;
  HRESULT SetSelection(LONG_PTR reserved, LONGLONG position, DWORD word, LONG startOffset,
                       LONG startRecord, LONG endOffset, LONG endRecord) override;
  HRESULT SetActivePoint(LONG_PTR reserved, LONGLONG position, DWORD word, LONG offset,
                         LONG record, DWORD word2, LONG_PTR ignored) override;
  using TabulonFuncBase::Evaluate;
  HRESULT Evaluate(DWORD reason, LONG channel, DWORD flags, VARIANT* value) override;
  HRESULT SetEnabled(BOOL cancel) override;
  HRESULT GetChannelUnit(IUnknown** unit) override;
  HRESULT GetText(LONG index, IQuorString** text) override {
    return TabulonFuncBase::GetText(index, text);
  }
  HRESULT GetUnitString(IQuorString** unit) override;
  HRESULT GetValue(VARIANT* value) override { return TabulonFuncBase::GetValue(value); }
  HRESULT ClearValue() override { return TabulonFuncBase::ClearValue(); }
  HRESULT Detach() override;
  HRESULT GetTypeId(DWORD* type) override { return TabulonFuncBase::GetTypeId(type); }
  HRESULT GetClassTypeId(DWORD* type) override { return TabulonFuncBase::GetClassTypeId(type); }
  HRESULT Reserved18() override { return E_NOTIMPL; }
  HRESULT GetNumberFormat(LONG_PTR a, LONG_PTR b, IQuorString** format) override;

  const TabulonSelection& Selection() const { return m_selection; }
  bool SelectionValid() const { return m_selectionValid; }
  LONGLONG SelectionPosition() const { return m_selectionPosition; }
  DWORD SelectionWord() const { return m_selectionWord; }
  const Quor::Bitset& Channels() const { return m_channels; }
  const Quor::String& ChannelTitle() const { return m_channelTitle; }

 protected:
  ChanValueFunc(TabulonFuncClassBase* classObject, IUnknown* host, LONG channel)
      : TabulonFuncBase(classObject, host, channel) {}
  ~ChanValueFunc() override = default;

  bool HasSource() const override { return bool(m_source); }
  IPendrelRecordData* Source() const { return m_source.Get(); }
  // Asks the source for the current channel's title, or forgets it without a channel.
  virtual void UpdateChannelTitle();

 private:
  Quor::ComPtr<IPendrelRecordData> m_source;
  DWORD m_sourceId[2] = {kTabulonNoSourceId, 0};
  DWORD m_sourceWord = 0;
  LONGLONG m_selectionPosition = 0;
  DWORD m_selectionWord = 0;
  LONGLONG m_activePosition = 0;
  DWORD m_activeWord = 0;
  TabulonSelection m_selection;
  Quor::Bitset m_channels;
  Quor::String m_channelTitle;
  Quor::String m_unitText;
  LONG m_activeOffset = kTabulonNoRecord;
  LONG m_activeRecord = kTabulonNoRecord;
  DWORD m_activeWord2 = 0;
  bool m_selectionValid = false;
  bool m_activePointValid = false;
};
