// The script texts the native side runs in a plot page: every text put into them (the plot's
// container id, markup, data ids, messages, user data) is written as an escaped string literal,
// so that any text arrives in the page exactly as it was given. Stateless.
#pragma once

#include <cstdint>
#include <string>

namespace Quor {

// "etch.make_plot('<id>').dblclick_ms(<ms>);"
std::string MakePlotCall(const std::string& plotId, unsigned doubleClickMs);
// "etch.get_plot('<id>').set_markup('<markup>');"
std::string SetMarkupCall(const std::string& plotId, const std::string& markup);
// "etch.get_plot('<id>').plotter_data_changed('<data id>', <start>, 2147483647);"
std::string PlotterDataChangedCall(const std::string& plotId, const std::string& dataId,
                                   std::int32_t start);
// "etch.get_plot('<id>').get_scales()[<n>].<method>();", a scale command without arguments.
std::string ScaleCommandCall(const std::string& plotId, std::int32_t scale, const std::string& method);
// "etch.get_plot('<id>').get_scales()[<n>].menu_closed(<x>,<y>);"
std::string MenuClosedCall(const std::string& plotId, std::int32_t scale, int x, int y);

// The shared builders of the plot model's and the tasks' calls; each returns true. The setup
// call compiles the markup first and returns false, leaving `script` unchanged, when it does
// not compile.
bool BuildSetupCall(const std::string& plotId, const std::string& markup, std::string& script);
bool BuildShowErrorCall(const std::string& plotId, const std::string& message, std::string& script);
bool BuildCopyCall(const std::string& plotId, const std::string& userData, std::string& script);

}  // namespace Quor
