#include "hostframework/extlib/event_enum_data_getter.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "hostframework/extlib/host_calls.h"
#include "hostframework/extlib/host_queries.h"
#include "platform/pendrel/arithmetic_channels.h"

namespace ExtLib {

namespace {

// An event record larger than this is no record the host makes.
constexpr DWORD kLargestRecord = 4096;
constexpr int kRecordsPerBlock = 256;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

}  // namespace

std::vector<ChannelReference> ReadChannelReferences(const std::u16string& text) {
  std::vector<ChannelReference> references;
  // Each "c" followed by "h", not in the last two places.
  for (std::size_t i = 0; i + 2 < text.size(); ++i) {
    if (text[i] != u'c' || text[i + 1] != u'h') continue;
    const char16_t before = i > 0 ? text[i - 1] : u'\0';
    std::size_t at = i + 2;
    if (text.compare(at, 5, u"annel") == 0) at += 5;
    if (at >= text.size() || !IsDigit(text[at])) continue;
    long long number = 0;
    while (at < text.size() && IsDigit(text[at]) && number <= 0x7FFFFFFF) {
      number = number * 10 + (text[at++] - u'0');
    }
    if (number > 0x7FFFFFFF) continue;  // not a channel any recording has
    const ChannelReference reference{LONG(number), before == u'r', before == u'v'};
    if (std::find(references.begin(), references.end(), reference) == references.end()) {
      references.push_back(reference);
    }
  }
  return references;
}

EventEnumDataGetter::EventEnumDataGetter(IPendrelDataSource* source, Callback stopped,
                                         DWORD channelWord)
    : m_source(source), m_stopped(std::move(stopped)), m_channelWord(channelWord) {
  if (m_channelWord != 0) return;
  if (const auto online = OnlineSource()) {
    m_advised = SUCCEEDED(online->AddSink(this));
  }
}

EventEnumDataGetter::EventEnumDataGetter(IPendrelDataSource* source, DWORD channelWord)
    : EventEnumDataGetter(source, nullptr, channelWord) {}

EventEnumDataGetter::~EventEnumDataGetter() {
  // The source is still held here: unadvising asks it for its online data once more.
  if (m_advised) {
    if (const auto online = OnlineSource()) online->RemoveSink(this);
  }
  Stop();
}

Quor::ComPtr<IPendrelOnlineDataSource> EventEnumDataGetter::OnlineSource() const {
  Quor::ComPtr<IPendrelOnlineDataSource> online;
  if (m_source) {
    m_source->QueryInterface(IPendrelOnlineDataSource::iid,
                             Quor::ComPtrOut<IPendrelOnlineDataSource>::Bind(online));
  }
  return online;
}

bool EventEnumDataGetter::Run(PendrelChannelRef channel, LONG record, LONG from, double time) {
  Stop();
  if (!m_source) return false;
  if (time == -1.0) {
    PendrelRecordInfo info{};
    if (SUCCEEDED(m_source->GetRecordInfo(record, &info))) time = info.startTime;
  }
  m_time = time;
  Quor::ComPtr<IUnknown> object;
  const HRESULT opened =
      m_source->OpenEventEnumerator(channel, record, from, kRecordEndOffset,
                                    kEventKindExtended | kEventKindMarks,
                                    Quor::ComPtrOut<IUnknown>::Bind(object));
  if (FAILED(opened) || !object) return false;
  Quor::ComPtr<IEnumEventEx> events;
  object->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  DWORD size = 0;
  if (!events || FAILED(events->GetEventSize(&size)) || size == 0 || size > kLargestRecord) {
    return false;
  }
  m_running = true;
  const auto buffer = std::make_unique<BYTE[]>(std::size_t(size) * kRecordsPerBlock);
  for (;;) {
    int fetched = 0;
    LONG next = 0;
    const HRESULT hr = events->Next(int(size) * kRecordsPerBlock, kRecordEndOffset, buffer.get(),
                                    &fetched, &next);
    if (FAILED(hr) || fetched <= 0) break;
    const int count = std::min(fetched, kRecordsPerBlock);
    for (int i = 0; i < count; ++i) {
      const BYTE* item = buffer.get() + std::size_t(i) * size;
      m_items.emplace_back(item, item + size);
    }
    if (hr == S_FALSE) break;
  }
  return true;
}

bool EventEnumDataGetter::CreateEnum(DWORD enumId, const Quor::String& formula) {
  m_enumerator.Clear();
  m_enumId = enumId;
  // A getter asked again for the same enumerator opens a new one over its channel, whose
  // events the host keeps.
  if (m_channel && formula == m_formula) return true;
  auto channels = Query<IPendrelArithmeticChannels>(m_source.Get());
  if (!channels) return false;
  // Every getter computes its own channel, so that no other getter's enumerator shares it.
  static std::atomic<unsigned> count{0};
  const Quor::String name(std::string("EnumUnderTest") + std::to_string(++count));
  IQuorString* actual = nullptr;
  PendrelChannelRef channel = kNoChannel;
  const HRESULT added = channels->AddChannel(0, VARIANT_FALSE, TextArgument(name), &actual, &channel);
  if (actual) actual->Release();
  if (FAILED(added) || channel.IsNone()) return false;
  if (!SetArithmeticFormula(m_source.Get(), channel, formula, Quor::String())) return false;
  m_channel = channel;
  m_formula = formula;
  return true;
}

bool EventEnumDataGetter::SetSources(LONG record, LONG tick, double time) {
  m_enumerator.Clear();
  if (!m_source || !m_channel) return false;
  if (time == -1.0) {
    PendrelRecordInfo info{};
    if (SUCCEEDED(m_source->GetRecordInfo(record, &info))) time = info.startTime;
  }
  m_time = time;
  Quor::ComPtr<IUnknown> object;
  // Over the whole record, so that the enumerator can seek back before the tick it starts at;
  // reading goes on from the first event at or after the tick.
  const HRESULT opened = m_source->OpenEventEnumerator(
      *m_channel, record, 0, kRecordEndOffset, kEventKindExtended | kEventKindMarks,
      Quor::ComPtrOut<IUnknown>::Bind(object));
  if (FAILED(opened) || !object) return false;
  m_enumerator = Query<IEnumEventEx>(object.Get());
  if (m_enumerator && tick > 0) m_enumerator->Seek(FALSE, tick, tick, kRecordEndOffset);
  return bool(m_enumerator);
}

void EventEnumDataGetter::Stop() {
  if (!m_running) return;
  m_items.clear();
  m_running = false;
}

HRESULT EventEnumDataGetter::OnSamplingStarting(DWORD, VARIANT_BOOL* proceed) {
  if (proceed) *proceed = VARIANT_TRUE;
  return S_OK;
}

HRESULT EventEnumDataGetter::OnSamplingStopped(DWORD, DWORD) {
  if (m_stopped) m_stopped();
  Stop();
  return S_OK;
}

HRESULT EventEnumDataGetter::GetUpdateInterval(DWORD* interval) {
  if (!interval) return E_POINTER;
  *interval = 0;
  return S_OK;
}

HRESULT EventEnumDataGetter::GetDataInterest(DWORD* interest) {
  if (!interest) return E_POINTER;
  *interest = 0;
  return S_OK;
}

}  // namespace ExtLib
