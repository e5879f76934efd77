// Quor::EtchSvgRequest: what the print job, the copy task and the save task share. Each asks
// the plot's page for the plot as printable SVG, listens on the plot model's subject for the
// SetSVG notice that answers it, and acts once, on the first answer meant for it: it stops
// listening before it acts, so a later answer (another task's) never runs it again. Whatever
// the action throws is caught here: the request is then failed, the error goes to the debug
// output, and the page's SetSVG call itself still succeeds. Reference counted from 0; the plot
// window keeps each request until it is finished. Touched only on the plot window's thread.
#pragma once

#include <string>

#include "core/com_object_root.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/event_handler.h"
#include "platform/pendrel/browser.h"
#include "plotengine/proxy/etch_events.h"

namespace Quor {

class EtchSvgRequest : public TarnEventHandlerT<1>, public CComObjectRoot {
 public:
  // IUnknown and IObserver.
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // The SetSVG notice: acts on it when it is meant for this request and none came before.
  void OnSetSvg(const EtchSvgPayload& answer);

  // The action ran to its end.
  bool IsDone() const { return m_done; }
  // The answer came without SVG text, or the action could not complete.
  bool IsFailed() const { return m_failed; }
  bool IsListening() const { return static_cast<bool>(m_subject); }

 protected:
  // `action` names the action in the debug output ("print", "copy", "save").
  explicit EtchSvgRequest(const char* action) : m_action(action) {}
  ~EtchSvgRequest() override;

  // Attaches to the plot model's subject (held until the answer or destruction).
  void Listen(ISubject* subject);
  // Whether the answer is the one this request waits for.
  virtual bool IsAnswer(const EtchSvgPayload& answer) const = 0;
  // Acts on the SVG text (UTF-8): true when it completed; may throw.
  virtual bool Run(const std::string& svg) = 0;

 private:
  void StopListening();
  void ReportFailure(const std::string& reason) const;

  const char* m_action;
  bool m_done = false;
  bool m_failed = false;
  ComPtr<ISubject> m_subject;

  TARN_DECLARE_EVENT_TABLE();
};

// The script that asks the plot `plotId` for its printable SVG, to come back through SetSVG
// with `userData`.
String SvgRequestScript(const std::string& plotId, const std::string& userData);
// Runs that script in the page the browser shows.
void RequestPlotSvg(IQuorBrowser* browser, const std::string& plotId, const std::string& userData);

}  // namespace Quor
