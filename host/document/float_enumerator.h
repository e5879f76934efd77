// A sampled channel of one record as the module reads it: IEnumFloatEx over a SampleCursor.
#pragma once

#include <memory>

#include "host/channels/sample_cursor.h"
#include "host/document/document_link.h"
#include "platform/pendrel/data_source.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class FloatEnumerator final : public SimpleUnknownImp2<IEnumFloatEx, IPendrelSourceDocument, 1> {
 public:
  FloatEnumerator(std::unique_ptr<SampleCursor> cursor, DocumentLink document)
      : m_cursor(std::move(cursor)), m_document(std::move(document)) {}

  HRESULT Clone(IEnumFloatEx** copy) override;
  HRESULT Skip(int n, int* skipped) override;
  HRESULT GetPosition(DWORD* position) override;
  HRESULT GetReservedWord(DWORD* word) override;
  HRESULT Reserved5() override;
  HRESULT Next(int n, float* values, int* fetched) override;

  HRESULT GetDocument(IUnknown** document) override;

 private:
  std::unique_ptr<SampleCursor> m_cursor;
  DocumentLink m_document;
};

}  // namespace PendrelHost
