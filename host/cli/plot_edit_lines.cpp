#include "host/cli/plot_edit_lines.h"

#include <strings.h>

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "host/cli/csv_numbers.h"
#include "host/cli/option_values.h"
#include "host/cli/plot_view_page.h"
#include "host/document/data_document.h"

namespace PendrelHost {

namespace {

struct NamedEdge {
  const char* name;
  const char* script;  // how the page's script names it
};

// In the order of the settings: VLF, LF, HF, low before high (the band's index and its end).
const NamedEdge kBandEdges[] = {{"VLF low", "0"}, {"VLF high", "1"}, {"LF low", "2"},
                                {"LF high", "3"}, {"HF low", "4"},   {"HF high", "5"}};
// The box as its plotter keeps it: x across (RR, ms), y up (form factor).
const NamedEdge kBoxEdges[] = {{"left", "x0"}, {"right", "x1"}, {"bottom", "y0"}, {"top", "y1"}};

// The page's plotter of a markup kind and element id (any id when empty), or an error.
std::string FindPlotter(const std::string& kind, const std::string& id, const std::string& missing) {
  return "var plot = etch.get_plot('local'), found = null;"
         "for (var i = 0; plot && i < plot.plotters.length; ++i) {"
         "  var p = plot.plotters[i];"
         "  if (p.markup_name === '" + kind + "' && ('" + id + "' === '' || p.values.id === '" + id + "')) found = p;"
         "}"
         "if (!found) throw new Error('" + missing + "');";
}

const std::string kBandLines = FindPlotter("vlines", "spectrum_freq_bands", "the spectrum shows no band edges");
const std::string kBox = FindPlotter("box", "classifier_box", "the classifier shows no box");

// The six edges in the settings' order, as the page shows them.
const std::string kReadBandEdges =
    "(function () {" + kBandLines +
    "  var edges = [];"
    "  for (var k = 0; k < 3; ++k) {"
    "    for (var j = 0; j < found.bands.length; ++j) {"
    "      if (found.bands[j][2] === k) edges.push(found.bands[j][0], found.bands[j][1]);"
    "    }"
    "  }"
    "  return edges;"
    "})()";

const std::string kReadBox = "(function () {" + kBox + " return found.edges ? found.extent() : []; })()";

// A number as script text: NaN and the infinities by their names.
std::string ScriptNumber(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  std::string text;
  AppendShortest(text, value);
  return text;
}

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

template <std::size_t N>
const NamedEdge& FindEdge(const NamedEdge (&edges)[N], const std::string& name, const char* what) {
  std::string known;
  for (const NamedEdge& edge : edges) {
    if (strcasecmp(name.c_str(), edge.name) == 0) return edge;
    known += (known.empty() ? "" : ", ") + std::string(edge.name);
  }
  throw std::invalid_argument(std::string(what) + " has no edge '" + name + "' (its edges: " + known + ")");
}

std::vector<double> Numbers(const nlohmann::json& value) {
  std::vector<double> numbers;
  if (!value.is_array()) return numbers;
  for (const nlohmann::json& each : value) {
    numbers.push_back(each.is_number() ? each.get<double>() : NAN);
  }
  return numbers;
}

// "name old -> new unit" for each edge that moved; empty when none did.
std::string EdgeChanges(const std::vector<double>& before, const std::vector<double>& after,
                        const std::vector<std::string>& names, const std::vector<std::string>& units) {
  std::string changes;
  for (std::size_t i = 0; i < names.size() && i < before.size() && i < after.size(); ++i) {
    if (before[i] == after[i]) continue;
    changes += (changes.empty() ? "" : ", ") + names[i] + " " + NumberText(before[i]) + " -> " +
               NumberText(after[i]) + units[i];
  }
  return changes;
}

bool SameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

void PrintChangedMeasurements(const std::vector<Measurement>& before, const std::vector<Measurement>& after,
                              std::FILE* out) {
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
    if (SameValue(before[i].value, after[i].value)) continue;
    std::fprintf(out, "  %s: %s -> %s%s%s\n", after[i].name.c_str(), NumberText(before[i].value).c_str(),
                 NumberText(after[i].value).c_str(), after[i].unit.empty() ? "" : " ", after[i].unit.c_str());
  }
}

// An edit of a plot's edges: how to read them from the page, the script that hands the view
// the gesture's notice, and which edge should take which value.
struct EdgeEdit {
  std::string what;  // e.g. "band edges"
  std::string read;
  std::string edit;
  std::vector<std::string> names;
  std::vector<std::string> units;
  std::size_t edge = 0;
  double value = 0;
};

// Runs the edit in the view's page, lets the view show what the settings now hold, and prints
// the edges and the measurements that changed. Throws SessionError when the page would not take
// the edit, or when nothing moved though the edit asked for a change: the view refused it.
void EditAndReport(AnalysisSession& session, PlotViewPage& page, const EdgeEdit& edit, std::FILE* out) {
  page.WaitForPaint();
  const std::vector<double> before = Numbers(page.Evaluate(edit.read));
  const std::vector<Measurement> measuredBefore = session.Results().measurements;
  const std::string asked = edit.names[edit.edge] + " to " + NumberText(edit.value) + edit.units[edit.edge];
  try {
    page.Evaluate(edit.edit);
  } catch (const SessionError& e) {
    throw SessionError("cannot drag " + asked + ": " + e.what());
  }
  page.RefreshMarkup();
  page.WaitForPaint();
  const std::vector<double> after = Numbers(page.Evaluate(edit.read));
  if (after == before && edit.edge < before.size() && !SameValue(before[edit.edge], edit.value)) {
    throw SessionError("the " + std::string(page.Kind().name) + " view refused the drag of " + asked);
  }
  const std::string changes = EdgeChanges(before, after, edit.names, edit.units);
  std::fprintf(out, "%s: %s\n", edit.what.c_str(), changes.empty() ? "unchanged" : changes.c_str());
  PrintChangedMeasurements(measuredBefore, session.Results().measurements, out);
}

template <std::size_t N>
EdgeEdit EdgeEditOf(const NamedEdge (&edges)[N], const NamedEdge& edge, double value,
                    const std::vector<std::string>& units) {
  EdgeEdit edit;
  for (std::size_t i = 0; i < N; ++i) {
    edit.names.push_back(edges[i].name);
    if (&edges[i] == &edge) edit.edge = i;
  }
  edit.units = units;
  edit.value = value;
  return edit;
}

void DragBandEdge(AnalysisSession& session, const std::string& name, double value, std::FILE* out) {
  const NamedEdge& edge = FindEdge(kBandEdges, name, "the spectrum");
  EdgeEdit edit = EdgeEditOf(kBandEdges, edge, value, std::vector<std::string>(6, " Hz"));
  edit.what = "band edges";
  edit.read = kReadBandEdges;
  // As the line's drag does: every edge on the line moves, as far as the neighbouring lines.
  edit.edit =
      "(function (edge, value) {" + kBandLines +
      "  if (found.values.draggable !== true) throw new Error('the band edges cannot be dragged now');"
      "  var band = null;"
      "  for (var j = 0; j < found.bands.length; ++j) if (found.bands[j][2] === (edge >> 1)) band = found.bands[j];"
      "  if (!band) throw new Error('the spectrum shows no such band');"
      "  var line = band[edge & 1], lines = found.lines(), at = lines.indexOf(line);"
      "  var low = at > 0 ? lines[at - 1] : -Infinity, high = at < lines.length - 1 ? lines[at + 1] : Infinity;"
      "  if (value < low || value > high) {"
      "    throw new Error('its line moves only between its neighbours, from ' + low + ' to ' + high + ' Hz');"
      "  }"
      "  for (var b = 0; b < found.bands.length; ++b) {"
      "    for (var end = 0; end < 2; ++end) if (found.bands[b][end] === line) found.bands[b][end] = value;"
      "  }"
      "  found.report();"
      "})(" + std::string(edge.script) + ", " + ScriptNumber(value) + ")";
  PlotViewPage page(session, FindPlotViewKind("spectrum"));
  EditAndReport(session, page, edit, out);
}

void DragBoxEdge(AnalysisSession& session, const std::string& name, double value, std::FILE* out) {
  const NamedEdge& edge = FindEdge(kBoxEdges, name, "the classifier's box");
  EdgeEdit edit = EdgeEditOf(kBoxEdges, edge, value, {" ms", " ms", "", ""});
  edit.what = "classifier box";
  edit.read = kReadBox;
  // As the edge's drag does: a box dragged past its other edge turns over.
  edit.edit = "(function (edge, value) {" + kBox +
              "  if (!found.edges) throw new Error('the classifier shows no box');"
              "  if (found.values.draggable !== true) throw new Error('the box cannot be dragged now');"
              "  found.edges[edge] = value;"
              "  found.report();"
              "})('" + std::string(edge.script) + "', " + ScriptNumber(value) + ")";
  PlotViewPage page(session, FindPlotViewKind("classifier"));
  EditAndReport(session, page, edit, out);
}

// The beat of the analysis at a position, as "beat N at record R, tick T (S s)".
std::string BeatText(AnalysisSession& session, const PendrelPosition& position) {
  const std::vector<Rhyth::RhythBeatRow> beats = session.Results().beats;
  char text[160];
  for (std::size_t i = 0; i < beats.size(); ++i) {
    if (LONG(beats[i].record) != position.record || LONG(beats[i].tick) != position.offset) continue;
    std::snprintf(text, sizeof text, "beat %zu at record %d, tick %d (%.3f s)", i + 1, int(position.record),
                  int(position.offset), beats[i].time);
    return text;
  }
  std::snprintf(text, sizeof text, "record %d, tick %d", int(position.record), int(position.offset));
  return text;
}

void ClickPoint(AnalysisSession& session, const std::string& viewName, const std::string& number,
                std::FILE* out) {
  const PlotViewKind& kind = FindPlotViewKind(viewName);
  long n = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), n);
  if (error != std::errc() || end != number.data() + number.size() || n < 1) {
    throw std::invalid_argument("click takes the point's number from 1, not '" + number + "'");
  }
  PlotViewPage page(session, kind);
  page.WaitForPaint();
  const std::size_t shown = session.Data().Log().ShownBeats().size();
  // As a click on a point does: the page tells the view the point's index in its owner's series.
  const std::string click =
      "(function (index) {" + FindPlotter("cursor", "", "the " + std::string(kind.name) + " plot takes no clicks on points") +
      "  var count = found.owner ? found.points().count : 0;"
      "  if (index >= count) throw new Error('the " + kind.name + " plot has ' + count + ' points');"
      "  window.etch_proxy.OnMouseClick(index, found.owner.id, found.owner.values.selectable === true);"
      "})(" + std::to_string(n - 1) + ")";
  page.Evaluate(click);
  const std::vector<PendrelPosition>& beats = session.Data().Log().ShownBeats();
  if (beats.size() == shown) {
    std::fprintf(out, "%s point %ld: no beat shown\n", kind.name, n);
    return;
  }
  std::fprintf(out, "%s point %ld: showed %s\n", kind.name, n, BeatText(session, beats.back()).c_str());
}

// "drag band LF high 0.2": the edge's name is every word between the kind and the value.
std::string EdgeName(const std::vector<std::string>& words) {
  std::string name;
  for (std::size_t i = 2; i + 1 < words.size(); ++i) name += (name.empty() ? "" : " ") + words[i];
  return name;
}

}  // namespace

bool RunPlotEditLine(AnalysisSession& session, const std::vector<std::string>& words, std::FILE* out) {
  if (words.empty()) return false;
  if (words[0] == "drag") {
    if (words.size() < 4 || (words[1] != "band" && words[1] != "box")) {
      throw std::invalid_argument("expected: drag band EDGE HZ, or drag box EDGE VALUE");
    }
    const double value = NumberArgument("drag", words.back());
    if (words[1] == "band") {
      DragBandEdge(session, EdgeName(words), value, out);
    } else {
      DragBoxEdge(session, EdgeName(words), value, out);
    }
    return true;
  }
  if (words[0] == "click") {
    if (words.size() != 3) throw std::invalid_argument("expected: click VIEW N");
    ClickPoint(session, words[1], words[2], out);
    return true;
  }
  return false;
}

}  // namespace PendrelHost
