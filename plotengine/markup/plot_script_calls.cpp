#include "plotengine/markup/plot_script_calls.h"

#include "plotengine/markup/compile_markup.h"
#include "plotengine/markup/js_string_literal.h"

namespace Quor {
namespace {

// "etch.get_plot('<id>')."
std::string PlotCall(const std::string& plotId) {
  return "etch.get_plot(" + JsStringLiteral(plotId) + ").";
}

}  // namespace

std::string MakePlotCall(const std::string& plotId, unsigned doubleClickMs) {
  return "etch.make_plot(" + JsStringLiteral(plotId) + ").dblclick_ms(" +
         std::to_string(doubleClickMs) + ");";
}

std::string SetMarkupCall(const std::string& plotId, const std::string& markup) {
  return PlotCall(plotId) + "set_markup(" + JsStringLiteral(markup) + ");";
}

std::string PlotterDataChangedCall(const std::string& plotId, const std::string& dataId,
                                   std::int32_t start) {
  return PlotCall(plotId) + "plotter_data_changed(" + JsStringLiteral(dataId) + ", " +
         std::to_string(start) + ", 2147483647);";
}

std::string ScaleCommandCall(const std::string& plotId, std::int32_t scale, const std::string& method) {
  return PlotCall(plotId) + "get_scales()[" + std::to_string(scale) + "]." + method + "();";
}

std::string MenuClosedCall(const std::string& plotId, std::int32_t scale, int x, int y) {
  return PlotCall(plotId) + "get_scales()[" + std::to_string(scale) + "].menu_closed(" +
         std::to_string(x) + "," + std::to_string(y) + ");";
}

bool BuildSetupCall(const std::string& plotId, const std::string& markup, std::string& script) {
  std::string compiled;
  if (!CompileEtchMarkup(markup, compiled)) return false;
  script = PlotCall(plotId) + "setup(" + compiled + ");";
  return true;
}

bool BuildShowErrorCall(const std::string& plotId, const std::string& message, std::string& script) {
  script = PlotCall(plotId) + "show_error(" + JsStringLiteral(message) + ");";
  return true;
}

bool BuildCopyCall(const std::string& plotId, const std::string& userData, std::string& script) {
  script = PlotCall(plotId) + "copy(" + JsStringLiteral(userData) + ");";
  return true;
}

}  // namespace Quor
