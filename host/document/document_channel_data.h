// One face of the data document: the calculation behind each computed channel, and what
// channels hold. Every channel runs at the record's tick rate and holds values as they are
// (offset 0, scale 1).
#pragma once

#include "host/document/document_contents.h"
#include "platform/pendrel/arithmetic_channels.h"

namespace PendrelHost {

class DocumentChannelData : public IPendrelChannelData {
 public:
  // S_FALSE and null for a channel without a calculation (the recording's channels have none).
  HRESULT GetCalculation(DWORD index, DWORD kind, IUnknown** calculation) override;
  // The channel computes what the calculation says from now on; a null one leaves the formula
  // as it is. The host's arithmetic calculation serves one channel only.
  HRESULT SetCalculation(DWORD index, DWORD kind, IUnknown* calculation) override;
  HRESULT GetRecordCount(DWORD channelWord, LONG* count) override;
  HRESULT HasData(DWORD channelWord, LONG record, DWORD index) override;
  HRESULT GetSampleInterval(DWORD channelWord, LONG record, DWORD index, double* seconds) override;
  // S_FALSE, leaving both untouched, when the records hold no value.
  HRESULT GetValueRange(DWORD index, DWORD flags, LONG record, double* minimum,
                        double* maximum) override;
  HRESULT GetOffsetAndScale(DWORD index, double* offset, double* scale) override;
  HRESULT GetChannelTitle(DWORD index, IQuorString** title) override;
  HRESULT GetChannelUnit(DWORD index, IQuorString** unit) override;

 protected:
  explicit DocumentChannelData(DocumentContents& contents) : m_contents(contents) {}
  ~DocumentChannelData() = default;

 private:
  HRESULT Bind(std::size_t computed, IUnknown* calculation);
  // A text of the channel: its name or its unit.
  HRESULT GiveText(DWORD index, IQuorString** text,
                   std::string (ChannelIndexSpace::*get)(const DocumentChannel&) const);

  DocumentContents& m_contents;
};

}  // namespace PendrelHost
