#include "plotengine/tasks/etch_svg_request.h"

#include <exception>

#include "platform/win32/debug_output.h"
#include "plotengine/markup/plot_script_calls.h"

namespace Quor {
namespace {

LONG InvokeOnSetSvg(void* object, const TarnEventCall& call) {
  const auto* answer = reinterpret_cast<const EtchSvgPayload*>(call.parameters);
  if (!answer) return 1;
  static_cast<EtchSvgRequest*>(object)->OnSetSvg(*answer);
  return 0;
}

}  // namespace

TARN_DEFINE_EVENT_TABLE(EtchSvgRequest, TarnEventHandlerBase,
    TarnEventTableEntry{kTarnEventNotice, 0, 0, 0, 0, &EtchSetSvgType::IdPointer, nullptr,
                        &InvokeOnSetSvg})

EtchSvgRequest::~EtchSvgRequest() { StopListening(); }

HRESULT EtchSvgRequest::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IUnknown::iid && iid != IObserver::iid) return E_NOINTERFACE;
  *object = static_cast<IObserver*>(this);
  AddRef();
  return S_OK;
}

ULONG EtchSvgRequest::AddRef() { return InternalAddRef(); }

ULONG EtchSvgRequest::Release() {
  const ULONG count = InternalRelease();
  if (count == 0) delete this;
  return count;
}

void EtchSvgRequest::Listen(ISubject* subject) {
  StopListening();
  if (!subject) return;
  m_subject = ComPtr<ISubject>(subject);
  subject->AttachObserver(this, 0);
}

void EtchSvgRequest::StopListening() {
  if (!m_subject) return;
  m_subject->DetachObserver(this);
  m_subject.Clear();
}

void EtchSvgRequest::OnSetSvg(const EtchSvgPayload& answer) {
  if (!m_subject || !IsAnswer(answer)) return;
  // The notice's sender may hold the last other reference.
  ComPtr<EtchSvgRequest> self(this);
  StopListening();
  if (!answer.svg) {
    m_failed = true;
    ReportFailure("the plot gave no SVG");
    return;
  }
  try {
    m_done = Run(String(answer.svg).ToUtf8String());
    m_failed = !m_done;
  } catch (const std::exception& error) {
    m_done = false;
    m_failed = true;
    ReportFailure(error.what());
  } catch (...) {
    m_done = false;
    m_failed = true;
    ReportFailure("unknown error");
  }
}

void EtchSvgRequest::ReportFailure(const std::string& reason) const {
  const String text = String::FromUtf8("The plot's " + std::string(m_action) + " failed: " + reason + "\n");
  OutputDebugStringW(text.c_str());
}

String SvgRequestScript(const std::string& plotId, const std::string& userData) {
  std::string script;
  BuildCopyCall(plotId, userData, script);
  return String::FromUtf8(script);
}

void RequestPlotSvg(IQuorBrowser* browser, const std::string& plotId, const std::string& userData) {
  IQuorString* script = SvgRequestScript(plotId, userData).GetInterface();
  browser->ExecuteScript(script);
  script->Release();
}

}  // namespace Quor
