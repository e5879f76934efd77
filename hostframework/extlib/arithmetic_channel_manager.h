// Computed channels that an extension owns in the host's data file, by name.
#pragma once

#include <map>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/arithmetic_channels.h"

namespace ExtLib {

class ArithmeticChannelManager {
 public:
  // An entry: the name the host gave the channel (it may differ from the one asked for) and
  // the channel's reference.
  struct Entry {
    Quor::String hostName;
    PendrelChannelRef channel = kNoChannel;
  };
  // Keyed by the name the extension asks for, so that a host that answers with another name
  // is still found again by the extension's own name.
  using Map = std::map<Quor::String, Entry>;

  explicit ArithmeticChannelManager(IUnknown* hostDocument);
  virtual ~ArithmeticChannelManager();
  ArithmeticChannelManager(const ArithmeticChannelManager&) = delete;
  ArithmeticChannelManager& operator=(const ArithmeticChannelManager&) = delete;

  // Finds or adds the channel and, when the formula is not empty, sets it.
  bool SetChannel(const Quor::String& name, const Quor::String& formula, const Quor::String& unit);
  // False when the name is not managed (the host is not asked) or the host does not know it.
  bool LookupChannel(const Quor::String& name, PendrelChannelRef* channel);
  // Makes the host recompute the channel, and with `remove` deletes it.
  bool ResetChannel(const Quor::String& name, bool remove);
  bool SetChannelHeld(const Quor::String& name, const Quor::String& owner, bool held);
  // How formulas name a channel: "Ch<n>", "RCh<n>", or for a named channel its name.
  Quor::String ChannelRefText(DWORD index, DWORD kind);
  // How formulas name a managed channel: by the name the host gave it. A name not managed
  // stays as it is.
  Quor::String HostName(const Quor::String& name) const;
  Map::iterator Find(const Quor::String& name) { return m_channels.find(name); }
  Map::iterator End() { return m_channels.end(); }

  IUnknown* HostDocument() const { return m_hostDocument.Get(); }

 private:
  bool UpdateFormula(const PendrelChannelRef& channel, const Quor::String& formula,
                     const Quor::String& unit);

  Quor::ComPtr<IUnknown> m_hostDocument;
  Map m_channels;
};

// Marker links: show the marker channel's events on the target channel.
bool AddMarkerLink(IUnknown* hostDocument, DWORD markerChannel, DWORD targetChannel);
bool RemoveMarkerLink(IUnknown* hostDocument, DWORD markerChannel, DWORD targetChannel);
bool HasMarkerLink(IUnknown* hostDocument, DWORD markerChannel, DWORD targetChannel);
bool SetMarkerLink(IUnknown* hostDocument, DWORD markerChannel, DWORD targetChannel, bool on);

}  // namespace ExtLib
