// A plot's persist task: keeps the state a user gives a plot inside the page (scale ranges,
// region places and texts) with the host document. It turns the plot's scaling and region
// events into state messages for the host, stores the state those messages carry when the host
// delivers them (also when it replays a document's messages), and writes the stored state into
// the plot's markup. Reference counted; lives as long as its plot, on the plot window's thread.
#pragma once

#include "core/com_object_root.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/event_handler.h"
#include "plotengine/tasks/plot_settings_writer.h"

namespace Quor {

class EtchPersistTask : public TarnEventHandlerT<1>, public CComObjectRoot {
 public:
  // Messages go to `sendTarget` (held), the handler that stores them with the document.
  EtchPersistTask(const String& plotId, IMessageHandler* sendTarget);
  // A task bound to a host document: `parent` (the document's message handler, held) is where
  // its messages go and the handler it becomes a child of; it hears the plot's events from
  // `subject` until it goes. `messageSource` is the document's store of state messages.
  EtchPersistTask(const String& plotId, IUnknown* messageSource, ISubject* subject,
                  IUnknown* parent);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // Send a range for the task's own plot: min = range[0], max = range[1]. The plot id is not
  // used; fewer than two values send nothing (E_INVALIDARG).
  HRESULT SetXScaling(const String& plotId, const double* range, int count, bool autoScale);
  HRESULT SetYScaling(const String& plotId, const double* range, int count, bool autoScale);
  HRESULT SendRegionPos(const WCHAR* regionId, double xPercent, double yPercent);
  HRESULT SendRegionText(const WCHAR* regionId, const WCHAR* text);

  // The handlers of the delivered messages; 0: handled.
  LONG StoreXRange(const String& plotId, double min, double max);
  LONG StoreYRange(const String& plotId, double min, double max);
  LONG StoreRegionPos(const String& plotId, const String& regionId, double x, double y);
  LONG StoreRegionText(const String& plotId, const String& regionId, const String& text);

  void WritePlotSettings(std::u16string& options) const;

  const String& PlotId() const { return m_plotId; }
  const PlotSettingsState& State() const { return m_state; }
  PlotRange InitialX() const { return m_initialX; }
  PlotRange InitialY() const { return m_initialY; }
  // The current range of axis 0 (horizontal) or 1 (vertical), which the plot's scale proxies
  // read and write; null for any other axis.
  PlotRange* CurrentRange(int axis);

  IMessageHandler* GetSendTarget() override;

 private:
  ~EtchPersistTask() override;

  HRESULT SendRange(DWORD type, const double* range, int count, bool autoScale);
  // Sends a record under a host message object named `name`.
  HRESULT SendRecord(DWORD type, const String& name, const void* record, DWORD bytes, DWORD mode);
  void StoreRange(const String& plotId, double min, double max, PlotRange& initial,
                  PlotRange& current);
  bool IsOwnPlotIgnoringCase(const String& plotId) const;

  String m_plotId;
  ComPtr<IMessageHandler> m_sendTarget;
  PlotRange m_initialX;
  PlotRange m_initialY;
  PlotSettingsState m_state;

  TARN_DECLARE_EVENT_TABLE();
};

}  // namespace Quor
