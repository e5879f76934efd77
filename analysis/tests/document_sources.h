// Host source objects that belong to a host document, standing in for the host's channels of a
// recording: a sampled channel that names its document, and a document that keeps child data
// by type word.
#pragma once

#include <map>
#include <memory>

#include "core/com_ptr.h"
#include "hostframework/tests/in_memory_sources.h"
#include "platform/pendrel/child_data.h"

namespace RhythTest {

class ChildDataDocument final : public SimpleUnknownImp1<IPendrelChildDataContainer> {
 public:
  HRESULT SetChildData(DWORD type, IPendrelDataChildData* data) override {
    if (data) {
      m_data[type] = Quor::ComPtr<IPendrelDataChildData>(data);
    } else {
      m_data.erase(type);
    }
    return S_OK;
  }
  HRESULT GetChildData(DWORD type, IPendrelDataChildData** data) override {
    *data = nullptr;
    const auto found = m_data.find(type);
    if (found == m_data.end()) return S_FALSE;
    *data = found->second.Get();
    (*data)->AddRef();
    return S_OK;
  }
  HRESULT GetChildDataTypes(DWORD, DWORD*, DWORD*) override { return E_NOTIMPL; }

 private:
  std::map<DWORD, Quor::ComPtr<IPendrelDataChildData>> m_data;
};

// Samples held in memory, read from a document.
class DocumentSamples final : public SimpleUnknownImp2<IEnumFloatEx, IPendrelSourceDocument, 1> {
 public:
  DocumentSamples(std::shared_ptr<testing_sources::SampleData> data, IUnknown* document)
      : m_document(document) {
    m_samples.Attach(new testing_sources::InMemoryFloats(std::move(data), 0));
  }

  HRESULT Clone(IEnumFloatEx** copy) override {
    auto* clone = new DocumentSamples(m_document.Get());
    const HRESULT hr = m_samples->Clone(Quor::ComPtrOut<IEnumFloatEx>::Bind(clone->m_samples));
    *copy = clone;
    return hr;
  }
  HRESULT Skip(int n, int* skipped) override { return m_samples->Skip(n, skipped); }
  HRESULT GetPosition(DWORD* position) override { return m_samples->GetPosition(position); }
  HRESULT GetReservedWord(DWORD* word) override { return m_samples->GetReservedWord(word); }
  HRESULT Reserved5() override { return m_samples->Reserved5(); }
  HRESULT Next(int n, float* values, int* fetched) override {
    return m_samples->Next(n, values, fetched);
  }

  HRESULT GetDocument(IUnknown** document) override {
    *document = m_document.Get();
    if (!*document) return S_FALSE;
    (*document)->AddRef();
    return S_OK;
  }

 private:
  explicit DocumentSamples(IUnknown* document) : m_document(document) {}

  Quor::ComPtr<IEnumFloatEx> m_samples;
  Quor::ComPtr<IUnknown> m_document;
};

}  // namespace RhythTest
