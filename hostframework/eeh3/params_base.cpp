#include "hostframework/eeh3/params_base.h"

#include <memory>

namespace EEH3 {

ParamsBase::ParamsBase() {
  SetSourceGrowBy(kSourceGrowBy);
}

ParamsBase::ParamsBase(const ParamsBase& other) : ParamsBaseAutoCopy(other) {
  SetSourceGrowBy(kSourceGrowBy);
}

ParamsBase& ParamsBase::operator=(const ParamsBase& other) {
  static_cast<ParamsBaseAutoCopy&>(*this) = other;
  return *this;
}

void ParamsBase::AddSource(eeh_SourceEnum* source) {
  std::unique_ptr<eeh_SourceEnum> owned(source);
  m_sources.Add(source);
  owned.release();
}

void ParamsBase::RemoveSources() {
  m_sources.RemoveAll();
  m_units.RemoveAll();
}

HRESULT ParamsBase::CopySourcesFrom(const ParamsBase& other) {
  RemoveSources();
  for (DWORD i = 0; i < other.SourceCount(); ++i) {
    eeh_SourceEnum* copy = nullptr;
    const HRESULT hr = other.Source(i)->Clone(&copy);
    if (FAILED(hr)) return hr;
    AddSource(copy);
  }
  for (DWORD i = 0; i < other.m_units.GetCount(); ++i) m_units.Add(other.m_units[i]);
  return S_OK;
}

}  // namespace EEH3
