// Hands the plot engine's outputs to the node tests, one request per line of standard input,
// texts in hexadecimal so that any byte crosses:
//   markup:   "<markup>"                   -> "ok <script>" or "fail"
//   formula:  "<formula> <t0> <step> <n>"  -> "ok" or "fail", then the n values
//   script:   "<name>"                     -> "ok <text>" (a script or a script set) or "fail"
//   page:     ""                           -> "ok <the plot page>"
//   settings: "<markup> <y min> <y max> <x min> <x max> <region id> <x %> <y %> <region text>"
//             -> the markup with those stored settings written in, compiled: "ok <script>" or "fail"
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/quor_string.h"
#include "plotengine/etch_file_stream.h"
#include "plotengine/formula/evaluate_formula.h"
#include "plotengine/local_page.h"
#include "plotengine/markup/compile_markup.h"
#include "plotengine/markup/script_number.h"
#include "plotengine/tasks/plot_settings_writer.h"

namespace {

std::string FromHex(const std::string& hex) {
  std::string text;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    text += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return text;
}

std::string ToHex(const std::string& text) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : text) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

// "ok" and the text, or "fail" for none.
std::string Answer(bool ok, const std::string& text) {
  if (!ok) return "fail";
  std::string answer = "ok ";
  return answer += ToHex(text);
}

std::string Markup(const std::string& request) {
  std::string script;
  const bool ok = Quor::CompileEtchMarkup(FromHex(request), script);
  return Answer(ok, script);
}

std::string Formula(const std::string& request) {
  std::istringstream words(request);
  std::string formula;
  double t0 = 0;
  double step = 0;
  unsigned count = 0;
  words >> formula >> t0 >> step >> count;
  std::vector<double> values;
  std::string answer = Quor::EvaluateEtchFormula(FromHex(formula), count, t0, step, values)
                           ? "ok"
                           : "fail";
  for (double value : values) {
    answer += ' ';
    Quor::AppendScriptNumber(answer, value);
  }
  return answer;
}

std::string Script(const std::string& request) {
  std::string mime;
  auto* file = new Quor::EtchFileStream(FromHex(request), mime);
  file->AddRef();
  const std::string answer = Answer(!mime.empty(), file->Data());
  file->Release();
  return answer;
}

std::u16string Wide(const std::string& utf8) { return Quor::String::FromUtf8(utf8).ToStdWString(); }

std::string Settings(const std::string& request) {
  std::istringstream words(request);
  std::string markup, region, regionText;
  Quor::PlotSettingsState state;
  double xPercent = 0;
  double yPercent = 0;
  words >> markup >> state.y.min >> state.y.max >> state.x.min >> state.x.max >> region >>
      xPercent >> yPercent >> regionText;
  state.regionPositions[Wide(FromHex(region))] = {xPercent, yPercent};
  state.regionTexts[Wide(FromHex(region))] = Wide(FromHex(regionText));
  std::u16string options = Wide(FromHex(markup));
  Quor::WritePlotSettings(options, state);
  std::string script;
  const bool ok = Quor::CompileEtchMarkup(Quor::String(options).ToUtf8String(), script);
  return Answer(ok, script);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 2 ? argv[1] : "";
  if (mode != "markup" && mode != "formula" && mode != "script" && mode != "page" &&
      mode != "settings") {
    std::fputs("usage: plotengine_node_driver markup|formula|script|page|settings < requests\n",
               stderr);
    return 2;
  }
  std::string request;
  while (std::getline(std::cin, request)) {
    if (mode == "markup") std::cout << Markup(request) << '\n';
    if (mode == "formula") std::cout << Formula(request) << '\n';
    if (mode == "script") std::cout << Script(request) << '\n';
    if (mode == "settings") std::cout << Settings(request) << '\n';
    if (mode == "page") std::cout << Answer(true, Quor::BuildLocalPage()) << '\n';
  }
  return 0;
}
