#include "analysis/measurements/measurement_function.h"

#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "analysis/engine/hrv_spectrum.h"
#include "core/com_call_guard.h"

namespace Rhyth {

namespace {

constexpr double kMilli = 1000.0;

// The analysis document of the host document behind the host object, with one reference;
// null when there is none.
Document* FindDocument(IUnknown* host) {
  Quor::ComPtr<IPendrelModuleDocuments> documents;
  if (host) {
    host->QueryInterface(IPendrelModuleDocuments::iid,
                         Quor::ComPtrOut<IPendrelModuleDocuments>::Bind(documents));
  }
  if (!documents) return nullptr;
  Quor::ComPtr<IUnknown> child;
  documents->GetModuleDocument(DocumentTypeId::Id(), Quor::ComPtrOut<IUnknown>::Bind(child));
  IRhythDocument* rhyth = nullptr;
  if (!child || FAILED(child->QueryInterface(IRhythDocument::iid, reinterpret_cast<void**>(&rhyth)))) {
    return nullptr;
  }
  return static_cast<Document*>(rhyth);
}

DataExtent ExtentOf(IPendrelDataSource* source) {
  DataExtent extent;
  source->GetRecordCount(&extent.records);
  source->GetDataEnd(0x80000000, &extent.endOffset, &extent.endRecord);
  return extent;
}

HRESULT TextOut(const Quor::String& text, IQuorString** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (text.IsEmpty()) return E_FAIL;
  return Quor::GuardedCall([&] {
    *out = text.GetInterface();
    return S_OK;
  });
}

// Scales a real value that the calculation gave; a failure stays as it is.
HRESULT Scaled(HRESULT hr, VARIANT& value, double factor) {
  if (hr != S_OK || value.vt != VT_R8) return hr;
  value.dblVal *= factor;
  return hr;
}

}  // namespace

RhythTabulonFuncBase::RhythTabulonFuncBase(TabulonFuncClassBase* classObject, IUnknown* host,
                                           LONG_PTR x)
    : ChanDataFuncIfRecordDataMatchesDoc(classObject, host, LONG(x)),
      m_document(FindDocument(host)) {}

RhythTabulonFuncBase::~RhythTabulonFuncBase() {
  if (m_document) static_cast<IRhythDocument*>(m_document)->Release();
}

IPendrelDataSource* RhythTabulonFuncBase::DataSource() const {
  if (!m_analysis) return nullptr;
  return m_analysis->inputs.source.Get();
}

AnalysisInputs RhythTabulonFuncBase::Inputs() const {
  AnalysisInputs inputs;
  inputs.document = m_document;
  Quor::ComPtr<IUnknown> data;
  if (Source()) Source()->GetDataSource(Quor::ComPtrOut<IUnknown>::Bind(data));
  if (data) {
    data->QueryInterface(IPendrelDataSource::iid,
                         Quor::ComPtrOut<IPendrelDataSource>::Bind(inputs.source));
  }
  // A point is analysed as one tick.
  TabulonSelection selection = Selection();
  if (selection.startOffset == selection.endOffset &&
      selection.startRecord == selection.endRecord) {
    ++selection.endOffset;
  }
  inputs.settings.Attach(m_document->GetSettings().Clone());
  inputs.settings->source.selectionOnly = 1;
  inputs.settings->analysis.region = {selection.startOffset, selection.startRecord,
                                      selection.endOffset, selection.endRecord};
  inputs.channel = m_document->Detector().GetFiducialChannel();
  if (const UserEventData* edits = m_document->GetData().UserEvents()) {
    inputs.added = edits->Added();
    inputs.removed = edits->Removed();
  }
  if (inputs.source) inputs.extent = ExtentOf(inputs.source.Get());
  return inputs;
}

HRESULT RhythTabulonFuncBase::Calculate() {
  if (!m_document) return E_FAIL;
  if (DirtyMask() & (kTabulonSourceChanged | kTabulonSelectionChanged)) {
    AnalysisInputs inputs = Inputs();
    m_analysis.reset();
    m_analysed = false;
    if (inputs.source) {
      m_analysis = AnalyseShared(std::move(inputs));
      m_analysed = m_analysis->intervals != 0;
    }
  }
  if (!m_analysed) return E_FAIL;
  const HRESULT hr = FinalValue(Value());
  if (hr != S_OK) VariantClear(&Value());
  return hr;
}

HRESULT RhythTabulonFuncBase::GetUnitString(IQuorString** unit) {
  return Quor::GuardedCall([&] { return TextOut(UnitText(), unit); });
}

HRESULT RhythTabulonFuncBase::GetNumberFormat(LONG_PTR, LONG_PTR, IQuorString** format) {
  return Quor::GuardedCall([&] { return TextOut(NumberFormat(), format); });
}

HRESULT RhythTabulonFuncBase::Detach() {
  ChanDataFuncIfRecordDataMatchesDoc::Detach();
  m_analysis.reset();
  m_analysed = false;
  return S_OK;
}

HRESULT RealMeasurement::FinalValue(VARIANT& value) {
  const std::optional<double> real = Real(Engine());
  if (!real) return E_FAIL;
  VariantClear(&value);
  value.vt = VT_R8;
  value.dblVal = *real;
  return S_OK;
}

HRESULT CountMeasurement::FinalValue(VARIANT& value) {
  VariantClear(&value);
  value.vt = VT_I4;
  value.lVal = LONG(Count(Engine()));
  return S_OK;
}

HRESULT RhythTabulonTimeBase::Calculate() {
  return Scaled(RealMeasurement::Calculate(), Value(), kMilli);
}

Quor::String RhythTabulonTimeBase::UnitText() const {
  return AnalysisEngine::FormatWithSIPrefix(-3, u"s");
}

HRESULT RhythTabulonPowerBase::Calculate() {
  // Seconds squared to milliseconds squared, one factor at a time.
  const HRESULT hr = Scaled(RealMeasurement::Calculate(), Value(), kMilli);
  return Scaled(hr, Value(), kMilli);
}

Quor::String RhythTabulonPowerBase::UnitText() const {
  return AnalysisEngine::FormatWithSIPrefix(-3, kPowerUnitText);
}

}  // namespace Rhyth
