#include "hostframework/extlib/arithmetic_channel_manager.h"

#include "core/format_stream.h"
#include "hostframework/extlib/host_calls.h"
#include "hostframework/extlib/host_queries.h"

namespace ExtLib {

namespace {

constexpr DWORD kSourceKind = 0xC0000000;

PendrelEventLink MarkerLink(DWORD markerChannel) { return {markerChannel, 4, kMarkerLinkType, 0}; }

// A name that the channel language would split (at ',' or ')') cannot stand in a formula.
bool UsableInFormula(const Quor::String& name) {
  if (name.IsEmpty()) return false;
  for (DWORD i = 0; i < name.Length(); ++i) {
    if (name[i] == u',' || name[i] == u')' || name[i] == u'(') return false;
  }
  return true;
}

}  // namespace

ArithmeticChannelManager::ArithmeticChannelManager(IUnknown* hostDocument)
    : m_hostDocument(hostDocument) {}

ArithmeticChannelManager::~ArithmeticChannelManager() = default;

bool ArithmeticChannelManager::LookupChannel(const Quor::String& name, PendrelChannelRef* channel) {
  auto entry = m_channels.find(name);
  if (entry == m_channels.end()) return false;
  auto service = Query<IPendrelArithmeticChannels>(m_hostDocument.Get());
  PendrelChannelRef found = kNoChannel;
  const HRESULT hr =
      service ? service->FindChannel(0, TextArgument(entry->second.hostName), &found) : E_FAIL;
  if (hr == S_OK) entry->second.channel = found;
  if (channel) *channel = found;
  return hr == S_OK;
}

bool ArithmeticChannelManager::SetChannel(const Quor::String& name, const Quor::String& formula,
                                          const Quor::String& unit) {
  PendrelChannelRef channel = kNoChannel;
  if (!LookupChannel(name, &channel)) {
    auto service = Query<IPendrelArithmeticChannels>(m_hostDocument.Get());
    if (!service) return false;
    IQuorString* actual = nullptr;
    channel = kNoChannel;
    service->AddChannel(0, VARIANT_FALSE, TextArgument(name), &actual, &channel);
    Entry& entry = m_channels[name];
    entry.hostName = actual ? AdoptText(actual) : name;
    entry.channel = channel;
  }
  if (!formula.IsEmpty()) return UpdateFormula(channel, formula, unit);
  return !channel.IsNone();
}

bool ArithmeticChannelManager::UpdateFormula(const PendrelChannelRef& channel,
                                             const Quor::String& formula,
                                             const Quor::String& unit) {
  auto channels = Query<IPendrelChannelData>(m_hostDocument.Get());
  return UpdateArithmeticFormula(channels.Get(), channel, formula, unit);
}

bool ArithmeticChannelManager::ResetChannel(const Quor::String& name, bool remove) {
  PendrelChannelRef channel = kNoChannel;
  if (!LookupChannel(name, &channel)) return true;
  const Quor::String hostName = m_channels[name].hostName;
  if (auto channels = Query<IPendrelChannelData>(m_hostDocument.Get())) {
    Quor::ComPtr<IUnknown> object;
    channels->GetCalculation(channel.index, channel.kind, Quor::ComPtrOut<IUnknown>::Bind(object));
    if (auto calc = Query<IPendrelCalculation>(object.Get())) calc->Reset();
  }
  if (!remove) return true;
  auto service = Query<IPendrelArithmeticChannels>(m_hostDocument.Get());
  if (!service) return true;
  VARIANT_BOOL held = VARIANT_FALSE;
  if (SUCCEEDED(service->GetHeldFlag(0, TextArgument(hostName), &held)) && held) {
    service->SetHeldFlag(0, TextArgument(hostName), VARIANT_FALSE);
  }
  const HRESULT deleted = service->DeleteChannel(0, TextArgument(hostName));
  if (SUCCEEDED(deleted)) m_channels.erase(name);
  return SUCCEEDED(deleted);
}

bool ArithmeticChannelManager::SetChannelHeld(const Quor::String& name, const Quor::String& owner,
                                              bool held) {
  auto entry = m_channels.find(name);
  auto service = Query<IPendrelArithmeticChannels>(m_hostDocument.Get());
  if (!service) return false;
  const Quor::String hostName = entry != m_channels.end() ? entry->second.hostName : name;
  const HRESULT hr =
      service->SetHeldFlag(0, TextArgument(hostName), held ? VARIANT_TRUE : VARIANT_FALSE);
  if (!owner.IsEmpty()) service->SetOwnerText(0, TextArgument(hostName), TextArgument(owner));
  return SUCCEEDED(hr);
}

Quor::String ArithmeticChannelManager::HostName(const Quor::String& name) const {
  const auto entry = m_channels.find(name);
  return entry == m_channels.end() ? name : entry->second.hostName;
}

Quor::String ArithmeticChannelManager::ChannelRefText(DWORD index, DWORD kind) {
  const DWORD type = kind & 0xFF;
  if (type == 1) return Quor::Format(u"RCh%1", index + 1);
  if (type == 4) {
    if (auto service = Query<IPendrelArithmeticChannels>(m_hostDocument.Get())) {
      IQuorString* name = nullptr;
      service->GetChannelName(0, index, kind, &name);
      const Quor::String text = AdoptText(name);
      if (UsableInFormula(text)) return text;
    }
  }
  return Quor::Format(u"Ch%1", index + 1);
}

bool AddMarkerLink(IUnknown* hostDocument, DWORD markerChannel, DWORD targetChannel) {
  auto service = Query<IPendrelArithmeticChannels>(hostDocument);
  if (!service) return false;
  const PendrelEventLink link = MarkerLink(markerChannel);
  return SUCCEEDED(service->AddEventLink(0, targetChannel, kSourceKind, &link));
}

bool RemoveMarkerLink(IUnknown* hostDocument, DWORD markerChannel, DWORD targetChannel) {
  auto service = Query<IPendrelArithmeticChannels>(hostDocument);
  if (!service) return false;
  const PendrelEventLink link = MarkerLink(markerChannel);
  return SUCCEEDED(service->RemoveEventLink(0, targetChannel, kSourceKind, &link));
}

bool HasMarkerLink(IUnknown* hostDocument, DWORD markerChannel, DWORD targetChannel) {
  auto service = Query<IPendrelArithmeticChannels>(hostDocument);
  if (!service) return false;
  DWORD count = 0;
  for (DWORD i = 0;; ++i) {
    PendrelEventLink link{};
    if (FAILED(service->EnumerateEventLinks(0, targetChannel, kSourceKind, i, &link, &count)) ||
        i >= count) {
      return false;
    }
    if (link.markerChannel == markerChannel && link.linkType == kMarkerLinkType) return true;
  }
}

bool SetMarkerLink(IUnknown* hostDocument, DWORD markerChannel, DWORD targetChannel, bool on) {
  const bool linked = HasMarkerLink(hostDocument, markerChannel, targetChannel);
  if (on && !linked) AddMarkerLink(hostDocument, markerChannel, targetChannel);
  if (!on && linked) RemoveMarkerLink(hostDocument, markerChannel, targetChannel);
  return true;
}

}  // namespace ExtLib
