// One face of the data document: the description of a channel's data (its name, its unit and
// the unit's prefix), as a preview shows a channel's unit. A unit text that begins with an SI
// prefix before a base unit the host knows ("mV") is told as the prefix and the base unit.
#pragma once

#include "host/document/document_contents.h"
#include "platform/pendrel/channel_description.h"

namespace PendrelHost {

class DocumentChannelDescriptions : public IPendrelChannelDescriptions {
 public:
  // E_INVALIDARG for an unknown channel or a record the document lacks (-2: any record).
  HRESULT GetChannelDescription(DWORD channel, DWORD flags, LONG record,
                                IPendrelChannelDescription** description) override;

 protected:
  explicit DocumentChannelDescriptions(DocumentContents& contents) : m_contents(contents) {}
  ~DocumentChannelDescriptions() = default;

 private:
  DocumentContents& m_contents;
};

}  // namespace PendrelHost
