#include "host/document/document_arithmetic_channels.h"

#include "core/quor_string.h"
#include "host/document/document_subject.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "ArithmeticChannels";

std::string TargetText(DWORD index, DWORD kind) {
  return "target=" + std::to_string(index) + ":" + Tarn::HexWord(kind);
}

std::string LinkText(const PendrelEventLink* link) {
  return ", link=" + (link ? Tarn::WordList(link, sizeof *link) : std::string("null"));
}

IQuorString* NewText(const std::string& utf8) {
  return Quor::String::FromUtf8(utf8).GetInterface();
}

}  // namespace

std::optional<std::size_t> DocumentArithmeticChannels::Computed(IQuorString* name) const {
  const auto found = m_contents.Space().Find(Tarn::Utf8(Tarn::TextOf(name)));
  if (!found || found->kind != DocumentChannel::Kind::Computed) return std::nullopt;
  return found->index;
}

std::string DocumentArithmeticChannels::FreeName(const std::string& name) const {
  std::string free = name;
  for (int number = 2; m_contents.Space().Find(free); ++number)
    free = name + "_" + std::to_string(number);
  return free;
}

HRESULT DocumentArithmeticChannels::AddChannel(DWORD reserved, VARIANT_BOOL replace,
                                               IQuorString* requestedName, IQuorString** actualName,
                                               PendrelChannelRef* channel) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "AddChannel",
                     "reserved=" + Tarn::HexWord(reserved) + ", replace=" +
                         std::to_string(replace) + ", name=" + Tarn::QuotedText(requestedName));
    if (!actualName || !channel) return E_POINTER;
    *actualName = nullptr;
    *channel = kNoChannel;
    const std::string requested = Tarn::Utf8(Tarn::TextOf(requestedName));
    if (requested.empty()) return E_INVALIDARG;
    const ChannelIndexSpace& space = m_contents.Space();
    if (const auto computed = m_contents.Channels().Find(requested)) {
      const DocumentChannel existing{DocumentChannel::Kind::Computed, *computed};
      *actualName = NewText(space.Name(existing));
      *channel = space.Reference(existing);
      return S_FALSE;
    }
    const std::string name = FreeName(requested);
    const DocumentChannel added{DocumentChannel::Kind::Computed, m_contents.Channels().Add(name)};
    *actualName = NewText(name);
    *channel = space.Reference(added);
    return S_OK;
  });
}

HRESULT DocumentArithmeticChannels::DeleteChannel(DWORD reserved, IQuorString* name) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "DeleteChannel",
                     "reserved=" + Tarn::HexWord(reserved) + ", name=" + Tarn::QuotedText(name));
    const auto computed = Computed(name);
    if (!computed) return E_INVALIDARG;
    if (m_contents.StateOf(*computed).held) return E_ACCESSDENIED;
    const DWORD index = m_contents.Space().IndexOf({DocumentChannel::Kind::Computed, *computed});
    m_contents.Remove(*computed);
    if (DocumentSubject* events = m_contents.Events()) {
      events->RaiseDataEvent(kDataEventChannelDeleted, {index});
    }
    return S_OK;
  });
}

HRESULT DocumentArithmeticChannels::FindChannel(DWORD reserved, IQuorString* name,
                                                PendrelChannelRef* channel) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "FindChannel",
                     "reserved=" + Tarn::HexWord(reserved) + ", name=" + Tarn::QuotedText(name));
    if (!channel) return E_POINTER;
    *channel = kNoChannel;
    const auto found = m_contents.Space().Find(Tarn::Utf8(Tarn::TextOf(name)));
    if (!found) return S_FALSE;
    *channel = m_contents.Space().Reference(*found);
    return S_OK;
  });
}

HRESULT DocumentArithmeticChannels::GetChannelName(DWORD reserved, DWORD index, DWORD kind,
                                                   IQuorString** name) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetChannelName",
                     "reserved=" + Tarn::HexWord(reserved) + ", channel=" + std::to_string(index) +
                         ":" + Tarn::HexWord(kind));
    if (!name) return E_POINTER;
    *name = nullptr;
    const auto found = m_contents.Space().Resolve(index);
    if (!found) return E_INVALIDARG;
    *name = NewText(m_contents.Space().Name(*found));
    return S_OK;
  });
}

HRESULT DocumentArithmeticChannels::AddEventLink(DWORD reserved, DWORD targetIndex,
                                                 DWORD targetKind, const PendrelEventLink* link) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "AddEventLink",
                     "reserved=" + Tarn::HexWord(reserved) + ", " +
                         TargetText(targetIndex, targetKind) + LinkText(link));
    if (!link) return E_POINTER;
    const ChannelIndexSpace& space = m_contents.Space();
    if (!space.Resolve(targetIndex) || !space.Resolve(link->markerChannel)) return E_INVALIDARG;
    return m_contents.Links().Add(targetIndex, *link) ? S_OK : S_FALSE;
  });
}

HRESULT DocumentArithmeticChannels::EnumerateEventLinks(DWORD reserved, DWORD targetIndex,
                                                        DWORD targetKind, DWORD i,
                                                        PendrelEventLink* link, DWORD* count) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "EnumerateEventLinks",
                     "reserved=" + Tarn::HexWord(reserved) + ", " +
                         TargetText(targetIndex, targetKind) + ", i=" + std::to_string(i));
    if (!link || !count) return E_POINTER;
    *count = 0;
    if (!m_contents.Space().Resolve(targetIndex)) return E_INVALIDARG;
    const std::vector<PendrelEventLink>& links = m_contents.Links().Of(targetIndex);
    *count = static_cast<DWORD>(links.size());
    if (i >= links.size()) return S_FALSE;
    *link = links[i];
    return S_OK;
  });
}

HRESULT DocumentArithmeticChannels::RemoveEventLink(DWORD reserved, DWORD targetIndex,
                                                    DWORD targetKind,
                                                    const PendrelEventLink* link) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "RemoveEventLink",
                     "reserved=" + Tarn::HexWord(reserved) + ", " +
                         TargetText(targetIndex, targetKind) + LinkText(link));
    if (!link) return E_POINTER;
    if (!m_contents.Space().Resolve(targetIndex)) return E_INVALIDARG;
    return m_contents.Links().Remove(targetIndex, *link) ? S_OK : S_FALSE;
  });
}

HRESULT DocumentArithmeticChannels::SetHeldFlag(DWORD reserved, IQuorString* name,
                                                VARIANT_BOOL held) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SetHeldFlag",
                     "reserved=" + Tarn::HexWord(reserved) + ", name=" + Tarn::QuotedText(name) +
                         ", held=" + std::to_string(held));
    const auto computed = Computed(name);
    if (!computed) return E_INVALIDARG;
    m_contents.StateOf(*computed).held = held != VARIANT_FALSE;
    return S_OK;
  });
}

HRESULT DocumentArithmeticChannels::GetHeldFlag(DWORD reserved, IQuorString* name,
                                                VARIANT_BOOL* held) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetHeldFlag",
                     "reserved=" + Tarn::HexWord(reserved) + ", name=" + Tarn::QuotedText(name));
    if (!held) return E_POINTER;
    *held = VARIANT_FALSE;
    const auto computed = Computed(name);
    if (!computed) return E_INVALIDARG;
    if (m_contents.StateOf(*computed).held) *held = VARIANT_TRUE;
    return S_OK;
  });
}

HRESULT DocumentArithmeticChannels::GetChannelCount(DWORD reserved, DWORD* count) {
  Tarn::RecordCall(kService, "GetChannelCount", "reserved=" + Tarn::HexWord(reserved));
  if (!count) return E_POINTER;
  const ComputedChannels& channels = m_contents.Channels();
  DWORD existing = 0;
  for (std::size_t i = 0; i < channels.Count(); ++i) existing += channels.Exists(i) ? 1 : 0;
  *count = existing;
  return S_OK;
}

HRESULT DocumentArithmeticChannels::SetOwnerText(DWORD reserved, IQuorString* name,
                                                 IQuorString* owner) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "SetOwnerText",
                     "reserved=" + Tarn::HexWord(reserved) + ", name=" + Tarn::QuotedText(name) +
                         ", owner=" + Tarn::QuotedText(owner));
    const auto computed = Computed(name);
    if (!computed) return E_INVALIDARG;
    m_contents.StateOf(*computed).owner = Tarn::TextOf(owner);
    return S_OK;
  });
}

}  // namespace PendrelHost
