// One face of the data document: computed channels by name, the links that show their events on
// other channels, and the held flags and owners that keep the user from changing them.
#pragma once

#include "host/document/document_contents.h"
#include "platform/pendrel/arithmetic_channels.h"

namespace PendrelHost {

class DocumentArithmeticChannels : public IPendrelArithmeticChannels {
 public:
  // Gives back the computed channel of that name when there is one (S_FALSE), replaced or not:
  // its formula is the calculation's business. A name that a recording channel has is not
  // taken: the new channel gets the name with "_2" (or the next free number) after it.
  HRESULT AddChannel(DWORD reserved, VARIANT_BOOL replace, IQuorString* requestedName,
                     IQuorString** actualName, PendrelChannelRef* channel) override;
  // Refuses a held channel (E_ACCESSDENIED) and the recording's own (E_INVALIDARG).
  HRESULT DeleteChannel(DWORD reserved, IQuorString* name) override;
  HRESULT FindChannel(DWORD reserved, IQuorString* name, PendrelChannelRef* channel) override;
  HRESULT GetChannelName(DWORD reserved, DWORD index, DWORD kind, IQuorString** name) override;
  HRESULT AddEventLink(DWORD reserved, DWORD targetIndex, DWORD targetKind,
                       const PendrelEventLink* link) override;
  HRESULT EnumerateEventLinks(DWORD reserved, DWORD targetIndex, DWORD targetKind, DWORD i,
                              PendrelEventLink* link, DWORD* count) override;
  HRESULT RemoveEventLink(DWORD reserved, DWORD targetIndex, DWORD targetKind,
                          const PendrelEventLink* link) override;
  HRESULT SetHeldFlag(DWORD reserved, IQuorString* name, VARIANT_BOOL held) override;
  HRESULT GetHeldFlag(DWORD reserved, IQuorString* name, VARIANT_BOOL* held) override;
  // The number of computed channels.
  HRESULT GetChannelCount(DWORD reserved, DWORD* count) override;
  HRESULT SetOwnerText(DWORD reserved, IQuorString* name, IQuorString* owner) override;

 protected:
  explicit DocumentArithmeticChannels(DocumentContents& contents) : m_contents(contents) {}
  ~DocumentArithmeticChannels() = default;

 private:
  // The computed channel of a name; nothing for any other name.
  std::optional<std::size_t> Computed(IQuorString* name) const;
  // The name, or the first of name_2, name_3, ... that no channel has.
  std::string FreeName(const std::string& name) const;

  DocumentContents& m_contents;
};

}  // namespace PendrelHost
