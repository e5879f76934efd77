#include "tracedisplay/preview/preview_pane_base.h"

#include <algorithm>

#include "controls/placement/dialog_placement.h"
#include "core/quor_rational.h"
#include "hostframework/extlib/host_queries.h"
#include "hostframework/host_palette.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/document_provider.h"
#include "platform/pendrel/preview_document.h"
#include "tracedisplay/preview/preview_data_win.h"

namespace ExtLib {

namespace {

constexpr LONG kDefaultDisplayChannels = 2;
// The channel word a preview hands the device it takes: every channel.
constexpr DWORD kAllChannels = 0x80000000;

// The stored preference of a host preference id, read by `read` from the store.
template <typename Value, typename Read>
bool ReadPreference(DWORD id, Value* value, Read read) {
  ITarnSharedService* shared = GetTarnSharedService();
  if (!shared) return false;
  Quor::ComPtr<IMessage> key;
  shared->CreateKeyMessage(id, 0, 0, Quor::ComPtrOut<IMessage>::Bind(key));
  return key && SUCCEEDED(read(key.Get(), value));
}

}  // namespace

PreviewPaneBase::PreviewPaneBase(IUnknown* document, IUnknown* source, OWL::TWindow* parent)
    : m_parent(parent), m_document(document), m_source(source) {
  TakeChannelSource();
  m_window = std::make_unique<PendrelDraw::PreviewDataWinWButtons>(m_parent, m_channelSource.Get());
  if (m_document) ApplyDisplayChannelCount();
  ReadDisplayPreferences();
  FindSamplingController();
  m_minimumMetric = std::max(GetMinHostMetric(m_document), kMinimumPreviewMetric);
  m_constructed = true;
}

PreviewPaneBase::~PreviewPaneBase() {
  m_samplingController.Clear();
  m_channelSource.Clear();
  m_source.Clear();
  m_window.reset();
}

PendrelDraw::PreviewDataPane& PreviewPaneBase::Pane() const { return m_window->Pane(); }

void PreviewPaneBase::TakeChannelSource() {
  const auto provider = Quor::QueryFace<IPendrelDocumentProvider>(m_source.Get());
  if (!provider) return;
  m_channelSource.Clear();
  provider->GetDocument(kProvideShownDocument, Quor::ComPtrOut<IUnknown>::Bind(m_channelSource));
}

void PreviewPaneBase::ApplyDisplayChannelCount() {
  LONG count = kDefaultDisplayChannels;
  if (const auto preview = Quor::QueryFace<IPendrelPreviewDocument>(m_document)) {
    if (preview->GetDisplayChannelCount(&count) != S_OK) count = kDefaultDisplayChannels;
  }
  PendrelDraw::PreviewDataPane& pane = Pane();
  // The new lane count reaches the interactive objects and the layout with it.
  pane.SetLaneCount(count);
  pane.RefreshViewControls();
  pane.LayoutPanes();
}

void PreviewPaneBase::ReadDisplayPreferences() {
  Quor::ComPtr<ITarnColourSource> palette;
  if (ITarnHostApp* application = GetTarnHostApp()) {
    application->GetColourSource(Quor::ComPtrOut<ITarnColourSource>::Bind(palette));
  }
  const auto preview = Quor::QueryFace<IPendrelPreviewDocument>(m_document);
  Quor::ComPtr<IPendrelPreferenceStore> store;
  if (preview) preview->GetPreferenceStore(Quor::ComPtrOut<IPendrelPreferenceStore>::Bind(store));
  if (!store) return;
  const auto readInteger = [&](IMessage* key, LONG* value) {
    return store->ReadInteger(key, value);
  };
  LONG colourIndex = 0;
  if (ReadPreference(kPreviewGridColourPreference, &colourIndex, readInteger)) {
    m_preferenceColour = GetDefaultTraceColour(palette.Get(), colourIndex);
  }
  ReadPreference(kPreviewDisplayValuePreference, &m_preferenceValue,
                 [&](IMessage* key, DWORD* value) { return store->ReadValue(key, value); });
  LONG flag = 1;
  if (ReadPreference(kPreviewGridFlagPreference, &flag, readInteger)) m_preferenceFlag = flag != 0;
}

void PreviewPaneBase::FindSamplingController() {
  const auto preview = Quor::QueryFace<IPendrelPreviewDocument>(m_document);
  Quor::ComPtr<IPendrelSamplingDeviceList> devices;
  if (preview)
    preview->GetSamplingDevices(Quor::ComPtrOut<IPendrelSamplingDeviceList>::Bind(devices));
  if (!devices) return;
  WORD busy = 1;
  LONG count = 0;
  if (FAILED(devices->GetBusyWord(&busy)) || busy != 0) return;
  if (FAILED(devices->GetCount(&count)) || count <= 0) return;
  devices->GetDevice(0, Quor::ComPtrOut<IPendrelSamplingDevice>::Bind(m_samplingController));
  if (!m_samplingController) return;
  m_samplingController->SelectChannels(0, kAllChannels);
  Pane().AttachSamplingController(m_samplingController.Get());
}

void PreviewPaneBase::PlaceInDialog(HWND dialog) {
  m_ownerDialog = dialog;
  const PlaceholderRect placeholder(dialog);
  Pane().SetPaneRect(placeholder.rect);
}

void PreviewPaneBase::SetTimeScale(LONG tick, LONG record, double compression) {
  PendrelDraw::PreviewDataPane& pane = Pane();
  pane.SetCompression(QuorRational::FromDouble(compression), nullptr, false);
  pane.ScrollToPosition(tick, record);
}

void PreviewPaneBase::Refresh(LONG unitPrefix) {
  PendrelDraw::PreviewDataPane& pane = Pane();
  Quor::ComPtr<IPendrelRecordDrawer> drawer;
  pane.GetPaneDrawer(0, 0, 1, Quor::ComPtrOut<IPendrelRecordDrawer>::Bind(drawer));
  if (!drawer || pane.GetLaneCount() < 1) return;
  pane.ChannelPaneAt(0)->SetAxisUnitPrefix(1, unitPrefix);
  pane.SetPaneRect(pane.GetPaneRect());
  pane.MarkAllForRedraw();
}

IUnknown* PreviewPaneBase::GetSourceInterface() const {
  if (m_channelSource) m_channelSource->AddRef();
  return m_channelSource.Get();
}

void PreviewPaneBase::EnableSampling(bool on) {
  if (m_window) Pane().AttachSamplingController(on ? m_samplingController.Get() : nullptr);
}

bool PreviewPaneBase::AnyPaneAutoScales(LONG axis) const {
  PendrelDraw::PreviewDataPane& pane = Pane();
  IPendrelTraceDataView* view = pane.DataView();
  LONGLONG extent = 0;
  if (!view || FAILED(view->GetDataExtent(&extent)) || extent <= 0) return false;
  for (LONG i = 0; i < pane.GetLaneCount(); ++i) {
    if (pane.ChannelPaneAt(i)->autoScale[axis - 1]) return true;
  }
  return false;
}

void PreviewPaneBase::AutoScale(bool secondary, const double* range) {
  const LONG axis = secondary ? 2 : 1;
  PendrelDraw::PreviewDataPane& pane = Pane();
  if (AnyPaneAutoScales(axis)) {
    if (IPendrelAxisAdjuster* adjuster = pane.ChannelPaneAt(0)->Adjuster(axis))
      adjuster->AutoScale();
  } else if (range) {
    SetAxisRange(secondary, range[0], range[1]);
  }
  if (range && pane.GetLaneCount() > 0)
    pane.ChannelPaneAt(0)->ApplyAxisRange(axis, range, true, false);
}

void PreviewPaneBase::SetAxisRange(bool secondary, double minimum, double maximum) {
  PendrelDraw::PreviewDataPane& pane = Pane();
  if (pane.GetLaneCount() < 1) return;
  const LONG axis = secondary ? 2 : 1;
  const double range[2] = {minimum, maximum};
  PendrelDraw::ChannelPane* first = pane.ChannelPaneAt(0);
  first->SetScaleRange(axis, range);
  first->ApplyAxisRange(axis, range, true, false);
}

}  // namespace ExtLib
