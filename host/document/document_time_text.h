// The data document's texts of its recording: the name the host gives the document, the mode
// it shows times in (elapsed by default, or clock time), the text of a place of the recording
// and the end of its data. Part of the data document, over its recording.
#pragma once

#include <optional>
#include <string>

#include "host/recording/recording.h"
#include "platform/pendrel/document_time_text.h"

namespace PendrelHost {

class DocumentTimeText : public IPendrelDocumentTimeText {
 public:
  explicit DocumentTimeText(const Recording& recording) : m_recording(recording) {}

  HRESULT GetName(BSTR* name) override;
  HRESULT GetTimeDisplayMode(BYTE* mode) override;
  // Elapsed time from the document start as h:mm:ss.sss; in clock mode with a known start date
  // the time of day as hh:mm:ss.sss.
  HRESULT PositionToText(DWORD reserved, const PendrelTextFormat* format, LONG offset,
                         LONG record, DWORD flags, BYTE mode, IQuorString** text) override;
  HRESULT GetEndPosition(DWORD which, LONG* offset) override;

  void SetName(std::u16string name) { m_name = std::move(name); }
  // Every position text is this text, whatever the place, until it is taken away.
  void SetPositionText(std::optional<std::u16string> text) { m_positionText = std::move(text); }
  void SetTimeDisplayMode(BYTE mode) { m_mode = mode; }

 private:
  const Recording& m_recording;
  std::u16string m_name;
  BYTE m_mode = kTimeDisplayElapsed;
  std::optional<std::u16string> m_positionText;
};

}  // namespace PendrelHost
