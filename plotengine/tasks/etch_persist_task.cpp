#include "plotengine/tasks/etch_persist_task.h"

#include <cstring>
#include <optional>

#include "hostframework/host_services.h"
#include "plotengine/proxy/etch_events.h"
#include "plotengine/proxy/plot_text.h"
#include "plotengine/tasks/persist_records.h"

namespace Quor {
namespace {

// Reads a delivered record field by field, never past its end.
class RecordReader {
 public:
  RecordReader(const void* data, DWORD bytes)
      : m_data(static_cast<const unsigned char*>(data)), m_bytes(data ? bytes : 0) {}

  template <class T>
  std::optional<T> Read() {
    if (m_offset + sizeof(T) > m_bytes) return std::nullopt;
    T value;
    std::memcpy(&value, m_data + m_offset, sizeof(T));
    m_offset += sizeof(T);
    return value;
  }

  // The header: type word, the constant 32 and the expected tag.
  bool ReadHeader(DWORD tag) {
    const auto type = Read<DWORD>();
    const auto size = Read<DWORD>();
    const auto found = Read<DWORD>();
    return type && size && found && *found == tag;
  }

  std::optional<String> ReadString() {
    const auto text = Read<IQuorString*>();
    if (!text) return std::nullopt;
    return *text ? String(static_cast<IAutoQuorString*>(*text)) : String();
  }

 private:
  const unsigned char* m_data;
  DWORD m_bytes;
  DWORD m_offset = 0;
};

RecordReader ReaderOf(const TarnEventCall& call) {
  DWORD bytes = 0;
  const void* data = call.message ? call.message->GetData(&bytes) : nullptr;
  return RecordReader(data, bytes);
}

template <LONG (EtchPersistTask::*Store)(const String&, double, double)>
LONG InvokeStoreRange(void* object, const TarnEventCall& call) {
  RecordReader reader = ReaderOf(call);
  if (!reader.ReadHeader(kEtchRangeTag)) return 1;
  const auto plotId = reader.ReadString();
  const auto min = reader.Read<double>();
  const auto max = reader.Read<double>();
  if (!plotId || !min || !max) return 1;
  return (static_cast<EtchPersistTask*>(object)->*Store)(*plotId, *min, *max);
}

LONG InvokeStoreRegionPos(void* object, const TarnEventCall& call) {
  RecordReader reader = ReaderOf(call);
  if (!reader.ReadHeader(kEtchRegionPosTag)) return 1;
  const auto plotId = reader.ReadString();
  const auto regionId = reader.ReadString();
  const auto x = reader.Read<double>();
  const auto y = reader.Read<double>();
  if (!plotId || !regionId || !x || !y) return 1;
  return static_cast<EtchPersistTask*>(object)->StoreRegionPos(*plotId, *regionId, *x, *y);
}

LONG InvokeStoreRegionText(void* object, const TarnEventCall& call) {
  RecordReader reader = ReaderOf(call);
  if (!reader.ReadHeader(kEtchRegionTextTag)) return 1;
  const auto plotId = reader.ReadString();
  const auto regionId = reader.ReadString();
  const auto text = reader.ReadString();
  if (!plotId || !regionId || !text) return 1;
  return static_cast<EtchPersistTask*>(object)->StoreRegionText(*plotId, *regionId, *text);
}

template <class Payload>
const Payload* PayloadOf(const TarnEventCall& call) {
  return reinterpret_cast<const Payload*>(call.parameters);
}

template <HRESULT (EtchPersistTask::*Send)(const String&, const double*, int, bool)>
LONG InvokeScalingNotice(void* object, const TarnEventCall& call) {
  const auto* event = PayloadOf<EtchScalingPayload>(call);
  if (!event) return 1;
  (static_cast<EtchPersistTask*>(object)->*Send)(String(event->plotId), event->values,
                                                  int(event->count), event->autoScale != 0);
  return 0;
}

LONG InvokeRegionPosNotice(void* object, const TarnEventCall& call) {
  const auto* event = PayloadOf<EtchRegionPosPayload>(call);
  if (!event) return 1;
  static_cast<EtchPersistTask*>(object)->SendRegionPos(event->regionId, event->xPercent,
                                                       event->yPercent);
  return 0;
}

LONG InvokeRegionTextNotice(void* object, const TarnEventCall& call) {
  const auto* event = PayloadOf<EtchRegionTextPayload>(call);
  if (!event) return 1;
  static_cast<EtchPersistTask*>(object)->SendRegionText(event->regionId, event->text);
  return 0;
}

TarnEventTableEntry Notice(TarnIdGetter id, TarnEventInvoker invoke) {
  return {kTarnEventNotice, 0, 0, 0, 0, id, nullptr, invoke};
}

TarnEventTableEntry Message(TarnIdGetter id, TarnEventInvoker invoke) {
  return {kTarnEventMessage, 0, 0xFFFF, 0, 0, id, nullptr, invoke};
}

// The interface a record carries for a text, with a reference the sender drops after sending.
class RecordString {
 public:
  explicit RecordString(const String& text) : m_text(text.GetInterface()) {}
  RecordString(const RecordString&) = delete;
  RecordString& operator=(const RecordString&) = delete;
  ~RecordString() { m_text->Release(); }
  IQuorString* Get() const { return m_text; }

 private:
  IQuorString* m_text;
};

}  // namespace

TARN_DEFINE_EVENT_TABLE(EtchPersistTask, TarnEventHandlerBase,
    Notice(&EtchXScalingChangedType::IdPointer,
           &InvokeScalingNotice<&EtchPersistTask::SetXScaling>),
    Notice(&EtchYScalingChangedType::IdPointer,
           &InvokeScalingNotice<&EtchPersistTask::SetYScaling>),
    Message(&EtchStoredXRangeType::IdPointer, &InvokeStoreRange<&EtchPersistTask::StoreXRange>),
    Message(&EtchStoredYRangeType::IdPointer, &InvokeStoreRange<&EtchPersistTask::StoreYRange>),
    Message(&EtchXScalingMsgType::IdPointer, &InvokeStoreRange<&EtchPersistTask::StoreXRange>),
    Message(&EtchYScalingMsgType::IdPointer, &InvokeStoreRange<&EtchPersistTask::StoreYRange>),
    Notice(&EtchRegionPosChangedType::IdPointer, &InvokeRegionPosNotice),
    Notice(&EtchRegionTextChangedType::IdPointer, &InvokeRegionTextNotice),
    Message(&EtchRegionPosMsgType::IdPointer, &InvokeStoreRegionPos),
    Message(&EtchRegionTextMsgType::IdPointer, &InvokeStoreRegionText))

EtchPersistTask::EtchPersistTask(const String& plotId, IMessageHandler* sendTarget)
    : m_plotId(plotId), m_sendTarget(sendTarget) {}

EtchPersistTask::EtchPersistTask(const String& plotId, IUnknown* messageSource,
                                 ISubject* subject, IUnknown* parent)
    : m_plotId(plotId) {
  if (parent) {
    parent->QueryInterface(IMessageHandler::iid, ComPtrOut<IMessageHandler>::Bind(m_sendTarget));
  }
  AttachToParent(parent);
  if (subject) subject->AttachObserver(static_cast<IObserver*>(this), 0);
  // What the plot stored before, in this document or in the file it was opened from.
  HandleMessagesOfType(messageSource);
}

EtchPersistTask::~EtchPersistTask() {
  // The event manager holds no reference on its observers: leave it before going.
  if (ITarnEventManager* manager = GetTarnEventManager()) {
    manager->RemoveObserver(static_cast<IObserver*>(this));
  }
  Detach();
}

PlotRange* EtchPersistTask::CurrentRange(int axis) {
  if (axis == 0) return &m_state.x;
  if (axis == 1) return &m_state.y;
  return nullptr;
}

HRESULT EtchPersistTask::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == IObserver::iid) {
    *object = static_cast<IObserver*>(this);
  } else if (iid == ITarnCommandHandler::iid) {
    *object = static_cast<ITarnCommandHandler*>(this);
  } else if (iid == IMessageHandler::iid) {
    *object = static_cast<IMessageHandler*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG EtchPersistTask::AddRef() { return InternalAddRef(); }

ULONG EtchPersistTask::Release() {
  const ULONG count = InternalRelease();
  if (count == 0) delete this;
  return count;
}

IMessageHandler* EtchPersistTask::GetSendTarget() {
  if (m_sendTarget) m_sendTarget->AddRef();
  return m_sendTarget.Get();
}

HRESULT EtchPersistTask::SendRecord(DWORD type, const String& name, const void* record,
                                    DWORD bytes, DWORD mode) {
  ITarnSharedService* shared = GetTarnSharedService();
  ComPtr<IMessage> object;
  if (shared) {
    RecordString objectName(name);
    shared->CreateMessageObject(type, objectName.Get(), GUID_EtchPersist,
                                ComPtrOut<IMessage>::Bind(object));
  }
  ComPtr<IMessageHandler> target;
  target.Attach(GetSendTarget());
  return CreateAndSend2(target.Get(), record, bytes, object.Get(), mode);
}

HRESULT EtchPersistTask::SendRange(DWORD type, const double* range, int count, bool autoScale) {
  // A range needs both ends; anything shorter would be read past its end.
  if (!range || count < 2) return E_INVALIDARG;
  const RecordString plotId(m_plotId);
  const EtchRangeRecord record{type, kEtchRecordSize, kEtchRangeTag, plotId.Get(),
                               range[0], range[1], DWORD(autoScale ? 1 : 0)};
  return SendRecord(type, m_plotId, &record, sizeof record,
                    autoScale ? kEtchAutoScaleMode : kEtchStateMode);
}

HRESULT EtchPersistTask::SetXScaling(const String&, const double* range, int count, bool autoScale) {
  return SendRange(EtchXScalingMsgType::Id(), range, count, autoScale);
}

HRESULT EtchPersistTask::SetYScaling(const String&, const double* range, int count, bool autoScale) {
  return SendRange(EtchYScalingMsgType::Id(), range, count, autoScale);
}

HRESULT EtchPersistTask::SendRegionPos(const WCHAR* regionId, double xPercent, double yPercent) {
  const String region(regionId);
  String name = m_plotId;
  name += region;
  const RecordString plotId(m_plotId);
  const RecordString regionText(region);
  const DWORD type = EtchRegionPosMsgType::Id();
  const EtchRegionPosRecord record{type, kEtchRecordSize, kEtchRegionPosTag, plotId.Get(),
                                   regionText.Get(), xPercent, yPercent};
  return SendRecord(type, name, &record, sizeof record, kEtchStateMode);
}

HRESULT EtchPersistTask::SendRegionText(const WCHAR* regionId, const WCHAR* text) {
  const String region(regionId);
  String name = m_plotId;
  name += region;
  const RecordString plotId(m_plotId);
  const RecordString regionText(region);
  const RecordString body{String(text)};
  const DWORD type = EtchRegionTextMsgType::Id();
  const EtchRegionTextRecord record{type, kEtchRecordSize, kEtchRegionTextTag, plotId.Get(),
                                    regionText.Get(), body.Get()};
  return SendRecord(type, name, &record, sizeof record, kEtchStateMode);
}

void EtchPersistTask::StoreRange(const String& plotId, double min, double max, PlotRange& initial,
                                 PlotRange& current) {
  if (plotId != m_plotId) return;
  if (initial.min == 0.0 && initial.max == 0.0) initial = {min, max};
  current = {min, max};
}

LONG EtchPersistTask::StoreXRange(const String& plotId, double min, double max) {
  StoreRange(plotId, min, max, m_initialX, m_state.x);
  return 0;
}

LONG EtchPersistTask::StoreYRange(const String& plotId, double min, double max) {
  StoreRange(plotId, min, max, m_initialY, m_state.y);
  return 0;
}

bool EtchPersistTask::IsOwnPlotIgnoringCase(const String& plotId) const {
  return EqualIgnoringCase(plotId.ToStdWString(), m_plotId.ToStdWString());
}

LONG EtchPersistTask::StoreRegionPos(const String& plotId, const String& regionId, double x,
                                     double y) {
  if (IsOwnPlotIgnoringCase(plotId)) m_state.regionPositions[regionId.ToStdWString()] = {x, y};
  return 0;
}

LONG EtchPersistTask::StoreRegionText(const String& plotId, const String& regionId,
                                      const String& text) {
  if (IsOwnPlotIgnoringCase(plotId)) m_state.regionTexts[regionId.ToStdWString()] = text.ToStdWString();
  return 0;
}

void EtchPersistTask::WritePlotSettings(std::u16string& options) const {
  Quor::WritePlotSettings(options, m_state);
}

}  // namespace Quor
