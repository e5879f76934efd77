// The plot model: the native half of the script object that a plot page talks to. It keeps the
// plot's data series, formulas and plotter bindings, answers the script's data requests,
// compiles plot markup into the plot's setup call, and turns the script's notices into typed
// events for the plot's observers. Abstract: the proxy derives from it and supplies the
// transport (running script text in the page, delivering events, the script-thread methods).
// Owned by its proxy; the maps are touched on the plot window's thread only.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/data_source.h"
#include "platform/pendrel/events.h"
#include "plotengine/proxy/etch_events.h"

namespace Quor {

// A script object: texts by name, in key order.
using EtchStringMap = std::map<String, String>;

class EtchProxyBase {
 public:
  struct Formula {
    std::string formula;  // what value requests evaluate
    std::string text;     // what the formula request answers
  };
  // The pointer tracking's view of one series: the x data id in `first`, the y data id, and
  // the mode (1 compares points, 0 the segments between consecutive points).
  struct SeriesPlotter {
    std::string first;
    std::string dataId;
    std::int32_t mode;
  };
  using SeriesMap = std::map<std::string, ComPtr<IEnumFloatEx>>;
  using FormulaMap = std::map<std::string, Formula>;
  using PlotterMap = std::map<std::string, std::string>;
  using SeriesPlotterMap = std::map<std::string, SeriesPlotter>;

  // The most values a formula request computes: far beyond any plot's width, far below what
  // would exhaust memory.
  static constexpr int kMaxFormulaValues = 10'000'000;

  EtchProxyBase() = default;
  EtchProxyBase(const EtchProxyBase&) = delete;
  EtchProxyBase& operator=(const EtchProxyBase&) = delete;
  virtual ~EtchProxyBase();

  virtual void Detach() = 0;
  virtual ISubject* GetSubject() = 0;

  // ---- The native side ----------------------------------------------------------------
  virtual void SetData(const String& dataId, IEnumFloatEx* series);
  virtual void SetEquation(const String& name, const String& formula, const String& text);
  virtual void SetPlotter(const String& dataId, const String& first, const String& plotterId,
                          int number);
  // The views' name for SetPlotter: (y data id, x data id or "", plot id, 0 series / 1 scatter).
  void RegisterSeries(const String& yDataId, const String& xDataId, const String& plotId,
                      int flag) {
    SetPlotter(yDataId, xDataId, plotId, flag);
  }
  // Forgets the series and the plotter bindings; formulas stay.
  virtual void ClearAll();

  // ---- Transport, supplied by the proxy -----------------------------------------------
  virtual bool RunScript(const String& script) = 0;
  virtual LONG DeliverEvent(const EtchEvent& event) = 0;

  // ---- The script's calls --------------------------------------------------------------
  // Script thread: compiles and runs the plot's setup call; false when the markup does not
  // compile.
  virtual bool CompileMarkup(const String& plotId, const String& markup);
  virtual EtchStringMap ResourceURLs() = 0;
  virtual void MakeDropMenu(const String& elementId, int scaleId, int left, int top, int right,
                            int bottom, bool vertical, double min, double max) = 0;
  // Script thread.
  virtual LONG BadPlotterProperty(const String& plotId, const String& plotter,
                                  const String& property, const String& expectedKind,
                                  const String& defaultText);
  virtual LONG VLinesDragged(const String& id, const std::vector<double>& values);
  virtual LONG BoxResized(const String& id, const std::vector<double>& values);
  virtual LONG SetSVG(const String& plotId, const String& userData, const String& svg);
  virtual LONG XScalingChanged(const String& plotId, const std::vector<double>& values);
  virtual LONG YScalingChanged(const String& plotId, const std::vector<double>& values);
  virtual LONG ZoomLevelChanged(const String& plotId, const std::vector<double>& values);
  // Throws ScriptCallError for a formula request above kMaxFormulaValues.
  virtual bool RequestPixData(const String& expression, double t, double interval, int count,
                              std::vector<double>& values);
  virtual bool RequestLabelsData(const String& expression, double t, double interval, int count,
                                 std::vector<String>& labels);
  virtual String RequestEquation(const String& name);
  virtual bool IsZoomEnabled();
  virtual void SetZoomState(const String& id, bool canUndo, bool canRedo);
  virtual bool HasData();
  virtual String OnMouseClick(double index, const String& plotterId, bool select);
  virtual LONG RegionPosChanged(const String& regionId, double xPercent, double yPercent);
  virtual LONG RegionTextChanged(const String& regionId, const String& text);

  const SeriesMap& Series() const { return m_series; }
  const PlotterMap& Plotters() const { return m_plotters; }
  const SeriesPlotterMap& SeriesPlotters() const { return m_seriesPlotters; }

 protected:
  bool m_showErrorsInPlot = false;
  bool m_zoomEnabled = false;
  bool m_canUndoZoom = false;
  bool m_canRedoZoom = false;

 private:
  LONG DeliverArray(DWORD type, const String& id, const std::vector<double>& values);
  LONG DeliverScaling(DWORD type, const String& plotId, const std::vector<double>& values);

  SeriesMap m_series;
  FormulaMap m_formulas;
  PlotterMap m_plotters;
  SeriesPlotterMap m_seriesPlotters;
};

// The HTML message of a bad plotter property, as the plot shows it.
std::string BadPropertyMessage(const std::string& plotter, const std::string& property,
                               const std::string& expectedKind, const std::string& defaultText);

}  // namespace Quor
