// The settings command: the user edits a copy of the settings in the settings dialog, and when
// the dialog ends with OK and something changed, the document takes the copy, clears what the
// change makes stale and analyses again.
#include "analysis/dialogs/settings_dialog.h"
#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "analysis/settings/change_flags.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/documents.h"
#include "platform/win32/message_box.h"

namespace Rhyth {

namespace {

// The host's frame window of the document; null without one.
HWND FrameWindow(IUnknown* hostValue) {
  Quor::ComPtr<IPendrelHostValue> value;
  if (hostValue) {
    hostValue->QueryInterface(IPendrelHostValue::iid,
                              Quor::ComPtrOut<IPendrelHostValue>::Bind(value));
  }
  HWND window = nullptr;
  if (value) value->GetFrameWindow(&window);
  return window;
}

// The titles of the data document's channels, in channel order.
std::vector<Quor::String> ChannelNames(IUnknown* dataDocument) {
  std::vector<Quor::String> names;
  Quor::ComPtr<IPendrelChannelData> channels;
  if (dataDocument) {
    dataDocument->QueryInterface(IPendrelChannelData::iid,
                                 Quor::ComPtrOut<IPendrelChannelData>::Bind(channels));
  }
  if (!channels) return names;
  for (DWORD index = 0;; ++index) {
    IQuorString* title = nullptr;
    if (FAILED(channels->GetChannelTitle(index, &title))) break;
    names.emplace_back(title);
    if (title) title->Release();
  }
  return names;
}

}  // namespace

void Document::OnSettingsCommand() {
  const HWND parent = FrameWindow(GetHostValue());
  Quor::ComPtr<Settings> copy;
  copy.Attach(m_settings->Clone());
  if (RunSettingsDialog(parent, ChannelNames(DataDocument()), *this, *copy.Get(),
                        DataDocument()) != IDOK) {
    return;
  }
  // The region is taken again only when the choice between the selection and the whole data
  // changed: taken on every OK, a selection moved since the analysis would make an unchanged
  // dialog clear the analysis and with it the user's beat edits.
  if (copy->source.selectionOnly != m_settings->source.selectionOnly) {
    SetRegionFromHost(*copy.Get(), 4);
  }
  const DWORD flags = copy->Compare(m_settings.Get());
  const bool cleared = (flags & 0xFF000000) && ClearAnalysis(flags, false);
  m_settings->CopyFrom(copy.Get());
  if (flags == 0) return;
  OnSettingsEdited();
  const bool analysed = !IsHostBusy() && Reanalyse(flags, kNoticeAnalysis);
  // The clearing's start notice waits for the analysis; without one it ends here.
  if (cleared && !analysed) SendChangedNotice(kNoticeCleared);
}

}  // namespace Rhyth
