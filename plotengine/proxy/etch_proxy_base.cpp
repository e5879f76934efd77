#include "plotengine/proxy/etch_proxy_base.h"

#include <algorithm>

#include "plotengine/formula/evaluate_formula.h"
#include "plotengine/markup/plot_script_calls.h"
#include "plotengine/proxy/etch_enum.h"
#include "plotengine/proxy/plot_text.h"
#include "plotengine/proxy/script_call_errors.h"
#include "plotengine/proxy/script_integer.h"

namespace Quor {
namespace {

constexpr int kReadBlock = 256;

// The series' label face, or null when it offers none.
ComPtr<IEtchEnum> LabelsOf(IEnumFloatEx* series) {
  ComPtr<IEtchEnum> labels;
  series->QueryInterface(IEtchEnum::iid, ComPtrOut<IEtchEnum>::Bind(labels));
  return labels;
}

bool StartsWithDollar(const std::string& expression) {
  return !expression.empty() && expression.front() == '$';
}

// Moves the series to element trunc(t); the series clamps.
void PositionSeries(IEnumFloatEx* series, double t) {
  DWORD position = 0;
  series->GetPosition(&position);
  int skipped = 0;
  series->Skip(ScriptInt32(t - double(position)), &skipped);
}

// Reads blocks of 256 until a short block or until `count` values were asked for; whole
// blocks are handed on.
template <class Consume>
void ReadBlocks(IEnumFloatEx* series, int count, Consume&& consume) {
  std::vector<float> block(kReadBlock);
  for (int remaining = count; remaining > 0;) {
    int fetched = 0;
    series->Next(kReadBlock, block.data(), &fetched);
    fetched = std::clamp(fetched, 0, kReadBlock);
    for (int i = 0; i < fetched; ++i) consume(block[i]);
    remaining -= fetched;
    if (fetched < kReadBlock) break;
  }
}

}  // namespace

EtchProxyBase::~EtchProxyBase() { ClearAll(); }

void EtchProxyBase::SetData(const String& dataId, IEnumFloatEx* series) {
  m_series[dataId.ToUtf8String()] = ComPtr<IEnumFloatEx>(series);
}

void EtchProxyBase::SetEquation(const String& name, const String& formula, const String& text) {
  m_formulas[name.ToUtf8String()] = {formula.ToUtf8String(), text.ToUtf8String()};
}

void EtchProxyBase::SetPlotter(const String& dataId, const String& first, const String& plotterId,
                               int number) {
  const std::string key = dataId.ToUtf8String();
  m_seriesPlotters[key] = {first.ToUtf8String(), key, number};
  m_plotters[key] = plotterId.ToUtf8String();
}

void EtchProxyBase::ClearAll() {
  m_series.clear();
  m_seriesPlotters.clear();
  m_plotters.clear();
}

bool EtchProxyBase::CompileMarkup(const String& plotId, const String& markup) {
  std::string script;
  const bool ok = BuildSetupCall(plotId.ToUtf8String(), markup.ToUtf8String(), script);
  const EtchCompiledPayload payload{ok ? 1u : 0u};
  DeliverEvent({EtchCompileMarkupType::Id(), &payload});
  if (!ok) return false;
  return RunScript(String::FromUtf8(script));
}

std::string BadPropertyMessage(const std::string& plotter, const std::string& property,
                               const std::string& expectedKind, const std::string& defaultText) {
  static const std::string kVowels = "aeiouAEIOU";
  const bool vowel = !expectedKind.empty() && kVowels.find(expectedKind.front()) != std::string::npos;
  const std::string consequence =
      defaultText.empty() ? "the plotter will fail to draw." : "using \"" + defaultText + "\"";
  return "Error in " + plotter + ": the <em>" + property + "</em> property must be " +
         (vowel ? "an " : "a ") + " " + expectedKind + "; " + consequence;
}

LONG EtchProxyBase::BadPlotterProperty(const String& plotId, const String& plotter,
                                       const String& property, const String& expectedKind,
                                       const String& defaultText) {
  const EtchBadPropertyPayload payload{plotter.c_str(), property.c_str(), expectedKind.c_str(),
                                       defaultText.c_str()};
  if (m_showErrorsInPlot) {
    std::string script;
    BuildShowErrorCall(plotId.ToUtf8String(),
                       BadPropertyMessage(plotter.ToUtf8String(), property.ToUtf8String(),
                                          expectedKind.ToUtf8String(), defaultText.ToUtf8String()),
                       script);
    RunScript(String::FromUtf8(script));
  }
  return DeliverEvent({EtchBadPropertyType::Id(), &payload});
}

LONG EtchProxyBase::DeliverArray(DWORD type, const String& id, const std::vector<double>& values) {
  if (values.empty()) return 0;
  const EtchArrayPayload payload{id.c_str(), values.data(), DWORD(values.size())};
  return DeliverEvent({type, &payload});
}

LONG EtchProxyBase::DeliverScaling(DWORD type, const String& plotId,
                                   const std::vector<double>& values) {
  // [min, max, auto]: a shorter array has no range to report, and an observer reading two
  // ends would read past it.
  if (values.size() < 3) return 0;
  // The last element is the auto flag; NaN counts as set.
  const EtchScalingPayload payload{plotId.c_str(), values.data(), DWORD(values.size() - 1),
                                   BYTE(values.back() != 0.0 ? 1 : 0)};
  return DeliverEvent({type, &payload});
}

LONG EtchProxyBase::VLinesDragged(const String& id, const std::vector<double>& values) {
  return DeliverArray(EtchVLinesDraggedType::Id(), id, values);
}

LONG EtchProxyBase::BoxResized(const String& id, const std::vector<double>& values) {
  return DeliverArray(EtchBoxResizedType::Id(), id, values);
}

LONG EtchProxyBase::ZoomLevelChanged(const String& plotId, const std::vector<double>& values) {
  return DeliverArray(EtchZoomLevelChangedType::Id(), plotId, values);
}

LONG EtchProxyBase::XScalingChanged(const String& plotId, const std::vector<double>& values) {
  return DeliverScaling(EtchXScalingChangedType::Id(), plotId, values);
}

LONG EtchProxyBase::YScalingChanged(const String& plotId, const std::vector<double>& values) {
  return DeliverScaling(EtchYScalingChangedType::Id(), plotId, values);
}

LONG EtchProxyBase::SetSVG(const String& plotId, const String& userData, const String& svg) {
  const EtchSvgPayload payload{plotId.c_str(), userData.c_str(), svg.c_str()};
  return DeliverEvent({EtchSetSvgType::Id(), &payload});
}

bool EtchProxyBase::RequestPixData(const String& expression, double t, double interval, int count,
                                   std::vector<double>& values) {
  const std::string name = expression.ToUtf8String();
  if (StartsWithDollar(name)) {
    const auto found = m_series.find(name);
    if (found == m_series.end()) return false;
    if (count < 1) return true;
    IEnumFloatEx* series = found->second.Get();
    PositionSeries(series, t);
    ReadBlocks(series, count, [&](float value) { values.push_back(value); });
    return true;
  }
  if (count > kMaxFormulaValues) {
    throw ScriptCallError(String::FromUtf8("A plot asked for " + std::to_string(count) +
                                           " values of a formula; at most " +
                                           std::to_string(kMaxFormulaValues) + " can be computed."));
  }
  const auto formula = m_formulas.find(name);
  std::vector<double> computed;
  const bool ok = EvaluateEtchFormula(formula != m_formulas.end() ? formula->second.formula : name,
                                      unsigned(std::max(count, 0)), t, interval, computed);
  values.insert(values.end(), computed.begin(), computed.end());
  return ok;
}

bool EtchProxyBase::RequestLabelsData(const String& expression, double t, double, int count,
                                      std::vector<String>& labels) {
  const std::string name = expression.ToUtf8String();
  if (!StartsWithDollar(name)) return true;
  const auto found = m_series.find(name);
  if (found == m_series.end()) return false;
  IEnumFloatEx* series = found->second.Get();
  const ComPtr<IEtchEnum> labeller = LabelsOf(series);
  if (!labeller) return false;
  if (count < 1) return true;
  PositionSeries(series, t);
  ReadBlocks(series, count, [&](float) {
    IQuorString* label = nullptr;
    labeller->LabelAt(ScriptInt32(t), &label);
    labels.push_back(label ? String(label) : String());
    if (label) label->Release();
    t += 1.0;
  });
  return true;
}

String EtchProxyBase::RequestEquation(const String& name) {
  const auto found = m_formulas.find(name.ToUtf8String());
  return found == m_formulas.end() ? String() : String::FromUtf8(found->second.text);
}

bool EtchProxyBase::IsZoomEnabled() { return m_zoomEnabled; }

void EtchProxyBase::SetZoomState(const String&, bool canUndo, bool canRedo) {
  m_canUndoZoom = canUndo;
  m_canRedoZoom = canRedo;
}

bool EtchProxyBase::HasData() { return !m_series.empty(); }

String EtchProxyBase::OnMouseClick(double index, const String& plotterId, bool select) {
  static const String kAnswer(u"someDataId");
  if (plotterId.IsEmpty()) return kAnswer;
  const std::u16string clicked = plotterId.ToStdWString();
  String dataId = plotterId;
  String label = String::FromUtf8(StreamNumberText(index));
  for (const auto& [key, plotter] : m_plotters) {
    if (!EqualIgnoringCase(String::FromUtf8(plotter).ToStdWString(), clicked)) continue;
    const auto series = m_series.find(key);
    if (series == m_series.end()) break;
    dataId = String::FromUtf8(key);
    label = String();
    if (const ComPtr<IEtchEnum> labeller = LabelsOf(series->second.Get())) {
      IQuorString* text = nullptr;
      labeller->LabelAt(ScriptInt32(index), &text);
      if (text) {
        label = String(text);
        text->Release();
      }
    }
    break;
  }
  const EtchClickPayload payload{dataId.c_str(), label.c_str(), BYTE(select ? 1 : 0)};
  DeliverEvent({EtchMouseClickType::Id(), &payload});
  return kAnswer;
}

LONG EtchProxyBase::RegionPosChanged(const String& regionId, double xPercent, double yPercent) {
  const EtchRegionPosPayload payload{regionId.c_str(), xPercent, yPercent};
  return DeliverEvent({EtchRegionPosChangedType::Id(), &payload});
}

LONG EtchProxyBase::RegionTextChanged(const String& regionId, const String& text) {
  const EtchRegionTextPayload payload{regionId.c_str(), text.c_str()};
  return DeliverEvent({EtchRegionTextChangedType::Id(), &payload});
}

}  // namespace Quor
