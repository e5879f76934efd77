#include "analysis/calc/channel_calc.h"

#include "analysis/calc/calc_dialog.h"
#include "analysis/calc/channel_calc_modes.h"
#include "analysis/calc/classifier_limits_source.h"
#include "analysis/module_strings.h"
#include "analysis/rhyth_guids.h"
#include "core/format_stream.h"
#include "hostframework/extlib/host_calls.h"
#include "hostframework/type_ids.h"
#include "platform/pendrel/documents.h"
#include "platform/win32/bstr.h"
#include "platform/win32/message_box.h"

namespace Rhyth {

namespace {

constexpr UINT kDisplayNameId = 1;
constexpr UINT kDescriptionId = 8;
constexpr DWORD kNoChannel = 0x80000000;

// The parent window of the dialog: the host window object's frame, when it has one.
HWND ParentWindow(IUnknown* hostWindow) {
  if (!hostWindow) return nullptr;
  const auto value = ExtLib::Query<IPendrelHostValue>(hostWindow);
  if (!value) return nullptr;
  HWND window = nullptr;
  value->GetFrameWindow(&window);
  return window;
}

}  // namespace

Quor::String ChannelCalc::ClassDisplayName() { return ModuleString(kDisplayNameId); }

Quor::String ChannelCalc::ClassDescription() { return ModuleString(kDescriptionId); }

DWORD ChannelCalc::ClassTypeWord() { return TypeIdClass<&GUID_RhythChannelCalc, 0>::Id(); }

DWORD ChannelCalc::OutputTypeWord() { return TypeIdClass<&GUID_RhythChannelCalcOutput, 0>::Id(); }

HRESULT ChannelCalc::EditSettings(IUnknown* hostWindow, IUnknown* current, IUnknown** edited) {
  if (!edited) return E_POINTER;
  *edited = nullptr;
  const Settings* inUse = Settings::From(current);
  Quor::ComPtr<Settings> copy;
  copy.Attach(new Settings);
  if (inUse) copy->CopyFrom(*inUse);
  if (RunCalcDialog(ParentWindow(hostWindow), inUse, *copy.Get()) != IDOK) return S_FALSE;
  return copy->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(edited));
}

ChannelCalc::ChannelCalc(DWORD calcId, IUnknown* channel, LONGLONG setting)
    : ChannelCalcBase(calcId, channel, setting) {
  m_settings.Attach(new Settings);
}

HRESULT ChannelCalc::QueryInterface(REFIID iid, void** object) {
  if (iid != ICalcChannelDisplay::iid) return ChannelCalcBase::QueryInterface(iid, object);
  if (!object) return E_POINTER;
  *object = static_cast<ICalcChannelDisplay*>(this);
  AddRef();
  return S_OK;
}

HRESULT ChannelCalc::GetShownMeasure(LONG* measure, BYTE* showLimits) {
  if (!measure || !showLimits) return E_POINTER;
  *measure = m_settings->mode;
  *showLimits = m_settings->ShowsLimits() ? 1 : 0;
  return S_OK;
}

HRESULT ChannelCalc::Initialise(DWORD a, DWORD, DWORD, IUnknown** output,
                                PendrelSampleRatio* ratio, DWORD d, DWORD* word) {
  const HRESULT prepared = Channel() ? Channel()->PrepareData(0, a, d) : E_FAIL;
  if (output) {
    *output = m_output.Get();
    if (*output) (*output)->AddRef();
  }
  if (ratio) *ratio = {1, 1, 0};
  if (word) *word = 0;
  return prepared;
}

HRESULT ChannelCalc::Calculate(IUnknown* settings, DWORD first) {
  if (!Channel()) return E_FAIL;
  if (first) SetupOutput(OutputTypeWord());
  if (const Settings* given = Settings::From(settings)) m_settings->CopyFrom(*given);

  const LONG mode = m_settings->mode;
  const Quor::String unit = CalcModeUnit(mode);
  const OutputRange range = CalcModeRange(mode, ClassifierLimitsOf(DataObject()));
  PendrelOutputScaling scaling{};
  SetOutputRange(float(range.maximum), float(range.minimum), &scaling);

  m_output.Clear();
  HRESULT result = Channel()->CreateOutput(&scaling, ExtLib::TextArgument(unit),
                                           Quor::ComPtrOut<IPendrelCalcOutput>::Bind(m_output));
  if (FAILED(result) || !m_output) return FAILED(result) ? result : E_FAIL;

  Quor::String formula(u"0");
  if (const std::optional<DWORD> fiducial = FindFiducialChannel()) {
    m_output->SetSource(1, *fiducial, kCalcSourceChannelFlag);
    formula = Quor::Format(u"RhythSelector(%1,%2,%3)", Quor::String(kFiducialChannel), mode,
                           m_settings->interpolate ? 1 : 0);
  } else {
    m_output->SetSource(0, kNoChannel, 0);
  }
  result = m_output->SetFormula(ExtLib::TextArgument(formula));
  if (FAILED(result)) return result;
  Quor::ComPtr<IPendrelFormulaOutput> formulaOutput;
  result = m_output->QueryInterface(IPendrelFormulaOutput::iid,
                                    Quor::ComPtrOut<IPendrelFormulaOutput>::Bind(formulaOutput));
  if (FAILED(result)) return result;
  return Channel()->Commit(SettingLow(), SettingHigh(), kCalcSourceChannelFlag,
                           formulaOutput.Get());
}

std::optional<DWORD> ChannelCalc::FindFiducialChannel() const {
  DWORD id = kNoChannel;
  const HRESULT found =
      Channel()->FindChannel(ExtLib::TextArgument(kFiducialChannel), &id);
  if (found != S_OK || id == kNoChannel) return std::nullopt;
  return id;
}

HRESULT ChannelCalc::GetSettings(IUnknown** settings) {
  if (!settings) return E_POINTER;
  return m_settings->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(settings));
}

HRESULT ChannelCalc::GetCalcFlags(DWORD* flags) {
  if (!flags) return E_POINTER;
  *flags = kCalcFlags;
  return S_OK;
}

HRESULT ChannelCalc::Reserved9(IUnknown** object) {
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

HRESULT ChannelCalc::GetOutputName(DWORD, BSTR* name) {
  if (!name) return E_POINTER;
  Quor::String text = ClassDescription();
  text += u" : ";
  text += CalcModeTitle(m_settings->mode);
  *name = SysAllocString(text.c_str());
  return *name ? S_OK : E_OUTOFMEMORY;
}

}  // namespace Rhyth
