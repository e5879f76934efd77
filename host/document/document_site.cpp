#include "host/document/document_site.h"

#include <algorithm>

#include "host/document/data_document.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "platform/pendrel/comments.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "DocumentSite";

// The host's value object of a document: it names the frame window, which a host without
// windows does not have.
class HostValue final : public SimpleUnknownImp1<IPendrelHostValue, 1> {
 public:
  HRESULT GetFrameWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = nullptr;
    return S_OK;
  }
};

// The view type an open-view message names; false for a message of another shape.
bool ViewTypeOf(IMessage* message, DWORD* type) {
  DWORD bytes = 0;
  const auto* words = static_cast<const DWORD*>(message->GetData(&bytes));
  if (!words || bytes < 2 * sizeof(DWORD) || words[0] != kTarnValueKindWord) return false;
  *type = words[1];
  return true;
}

// The place of the beat a show-comment message asks to show; false for another message.
bool ShownBeatOf(IMessage* message, PendrelPosition* beat) {
  if (message->GetMessageId() != kShowComment2MessageId) return false;
  Tarn::HeldReference<IShowComment2Message> show;
  {
    IShowComment2Message* face = nullptr;
    message->QueryInterface(IShowComment2Message::iid, reinterpret_cast<void**>(&face));
    show.reset(face);
  }
  IPendrelComment* comment = nullptr;
  if (!show || show->GetComment(&comment) != S_OK || !comment) return false;
  Tarn::HeldReference<IPendrelComment> held(comment);
  CommentOffsetRecord position{};
  if (comment->GetPosition(&position) != S_OK) return false;
  *beat = {position.offset, position.record};
  return true;
}

}  // namespace

DocumentSite::DocumentSite() : SimpleUnknownImpBase(1), m_value(new HostValue) {}

DocumentSite::~DocumentSite() {
  // Children that are still there must not reach back into a site that is gone.
  for (IMessageHandler* child : m_children) child->SetParent(nullptr);
}

HRESULT DocumentSite::Attach(IUnknown*, IUnknown* hostDocument) {
  Tarn::RecordCall(kService, "Attach", "host=" + Tarn::Presence(hostDocument));
  m_host = Tarn::Hold(hostDocument);
  m_document = AsDataDocument(hostDocument);
  return S_OK;
}

HRESULT DocumentSite::Notice(DWORD type, const DWORD* code) {
  return Tarn::Guarded([&] {
    if (!code) return E_POINTER;
    Tarn::RecordCall(kService, "Notice", "type=" + Tarn::HexWord(type) + ", code=" +
                                             std::to_string(*code));
    if (m_document) m_document->Log().AddNotice(type, *code);
    // Observers read up to four words of a notice: Raise gives them a whole block.
    Raise(type, {*code});
    return S_OK;
  });
}

LONG DocumentSite::HandleMessage(IMessage* message) {
  if (!message) return 0;
  Tarn::RecordCall(kService, "HandleMessage", "id=" + Tarn::HexWord(message->GetMessageId()));
  if (m_document && m_document->Properties().Keep(message)) return 1;
  if (m_document && m_document->PersistMessages().Keep(message)) {
    OfferToChildren(message);
    return 1;
  }
  PendrelPosition beat{};
  if (ShownBeatOf(message, &beat)) {
    if (m_document) m_document->Log().AddShownBeat(beat);
    return 1;
  }
  DWORD view = 0;
  if (message->GetMessageId() != kTarnMessageOpenView || !ViewTypeOf(message, &view)) return 0;
  if (m_document) m_document->Log().AddViewRequest(view);
  return 1;
}

void DocumentSite::OfferToChildren(IMessage* message) {
  // Every child hears it, whatever the others answer: each plot bound to the document answers
  // state messages as handled, its own or not, and must still hear the state it sent.
  // A copy: a child may leave while it handles the message.
  const std::vector<IMessageHandler*> children = m_children;
  for (IMessageHandler* child : children) {
    if (std::find(m_children.begin(), m_children.end(), child) == m_children.end()) continue;
    Tarn::HeldReference<IMessageHandler> held = Tarn::Hold(child);
    child->HandleMessage(message);
  }
}

HRESULT DocumentSite::AddHandler(IMessageHandler* child) {
  if (!child) return E_POINTER;
  Tarn::RecordCall(kService, "AddHandler");
  m_children.push_back(child);
  child->SetParent(this);
  return S_OK;
}

HRESULT DocumentSite::RemoveHandler(IMessageHandler* child) {
  if (!child) return S_FALSE;
  const auto found = std::find(m_children.begin(), m_children.end(), child);
  if (found == m_children.end()) return E_FAIL;
  Tarn::RecordCall(kService, "RemoveHandler");
  m_children.erase(found);
  child->SetParent(nullptr);
  return S_OK;
}

HRESULT DocumentSite::GetSender(IMessageHandler** sender) {
  if (!sender) return E_POINTER;
  *sender = Tarn::Hold(static_cast<IMessageHandler*>(this)).release();
  return S_OK;
}

HRESULT DocumentSite::GetHostValue(IUnknown** value) {
  if (!value) return E_POINTER;
  *value = Tarn::Hold(m_value.get()).release();
  return S_OK;
}

HRESULT DocumentSite::GetPropertyObject(IUnknown** properties) {
  if (!properties) return E_POINTER;
  *properties = Tarn::Hold(m_host.get()).release();
  return *properties ? S_OK : E_FAIL;
}

}  // namespace PendrelHost
