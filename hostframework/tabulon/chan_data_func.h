// A Tabulon function that evaluates only over the record data of the document it was made for:
// at construction it asks the host object for that record data, and its data face evaluates
// only when the table gives it that very object as its source.
#pragma once

#include "hostframework/tabulon/chan_value_func.h"

class ChanDataFuncIfRecordDataMatchesDoc : public ChanValueFunc {
 public:
  using ChanValueFunc::Evaluate;
  HRESULT Evaluate(DWORD reason, LONG channel, DWORD flags, VARIANT* value) override;
  HRESULT Detach() override;

 protected:
  ChanDataFuncIfRecordDataMatchesDoc(TabulonFuncClassBase* classObject, IUnknown* host,
                                     LONG channel);
  ~ChanDataFuncIfRecordDataMatchesDoc() override = default;

  IPendrelRecordData* RecordData() const { return m_recordData.Get(); }

 private:
  Quor::ComPtr<IPendrelRecordData> m_recordData;
};
