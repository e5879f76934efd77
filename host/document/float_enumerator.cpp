#include "host/document/float_enumerator.h"

#include <span>
#include <string>

#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace PendrelHost {

namespace {
constexpr const char* kService = "FloatEnumerator";
}

HRESULT FloatEnumerator::Clone(IEnumFloatEx** copy) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "Clone");
    if (!copy) return E_POINTER;
    *copy = nullptr;
    *copy = new FloatEnumerator(m_cursor->Clone(), m_document);
    return S_OK;
  });
}

HRESULT FloatEnumerator::Skip(int n, int* skipped) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "Skip", "n=" + std::to_string(n));
    const int64_t moved = m_cursor->Skip(n);
    if (skipped) *skipped = static_cast<int>(moved);
    return moved == n ? S_OK : S_FALSE;
  });
}

HRESULT FloatEnumerator::GetPosition(DWORD* position) {
  Tarn::RecordCall(kService, "GetPosition");
  if (!position) return E_POINTER;
  *position = static_cast<DWORD>(m_cursor->Position());
  return S_OK;
}

HRESULT FloatEnumerator::GetReservedWord(DWORD* word) {
  Tarn::RecordCall(kService, "GetReservedWord");
  if (word) *word = 0;
  return E_NOTIMPL;
}

HRESULT FloatEnumerator::Reserved5() {
  Tarn::RecordCall(kService, "Reserved5");
  return E_NOTIMPL;
}

HRESULT FloatEnumerator::Next(int n, float* values, int* fetched) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "Next", "n=" + std::to_string(n));
    if (fetched) *fetched = 0;
    if (n < 0) return E_INVALIDARG;
    if (n > 0 && !values) return E_POINTER;
    const std::size_t read = m_cursor->Read(std::span<float>(values, static_cast<std::size_t>(n)));
    if (fetched) *fetched = static_cast<int>(read);
    return read == static_cast<std::size_t>(n) ? S_OK : S_FALSE;
  });
}

HRESULT FloatEnumerator::GetDocument(IUnknown** document) {
  Tarn::RecordCall(kService, "GetDocument");
  return m_document.GetDocument(document);
}

}  // namespace PendrelHost
