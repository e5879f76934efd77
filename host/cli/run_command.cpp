#include "host/cli/run_command.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/quor_string.h"
#include "host/cli/analysis_session.h"
#include "host/cli/dialog_lines.h"
#include "host/cli/measurement_printer.h"
#include "host/cli/option_values.h"
#include "host/cli/plot_edit_lines.h"
#include "host/cli/sample_options.h"
#include "host/cli/settings_options.h"
#include "platform/win32/message_box.h"

namespace PendrelHost {

const char* const kRunCommandUsage =
    "Usage: pendrel run SCRIPT\n"
    "\n"
    "Runs a session script: one action a line, '#' starts a comment. An error names the line\n"
    "and stops the script with a non-zero status.\n"
    "\n"
    "  open FILE                  open a recording or a saved document\n"
    "  open sample [OPTION VALUE]...\n"
    "                             open the built-in sample (options as in pendrel channel)\n"
    "  select FROM [TO]           select these seconds of the first record (TO: to its end)\n"
    "  point T                    select the one sample at T seconds\n"
    "  menu TEXT                  run the menu item of this text or path (in either letter\n"
    "                             case; pendrel menu lists them), e.g. menu Rhyth|Analyse,\n"
    "                             menu Add Beat Marker\n"
    "  answer ok|cancel|yes|no    the answer to the next message box the module shows\n"
    "  print [csv]                print the measurements\n"
    "  save FILE                  save the document with its analysis\n"
    "  export rr FILE             write the RR intervals\n"
    "  export beats FILE          write the beats as CSV\n"
    "  preset NAME                pick a species preset in the settings dialog (as analyse\n"
    "                             --preset)\n"
    "  set NAME=VALUE             set a field of the settings dialog by its label (as analyse\n"
    "                             --set), e.g. set Low pass filter=40, set selectionOnly=1\n"
    "  calc MEASURE [NAME=VALUE]...\n"
    "                             add the channel calculation's channel, its dialog answered\n"
    "                             with the beat measure (Beat Period, Change in Beat Period,\n"
    "                             Beat Rate, Beat Complexity, or its code) and OK; further\n"
    "                             fields by label, e.g. calc Beat Rate; Set Guide Lines=0\n"
    "  drag band EDGE HZ          drag a band edge of the spectrum plot to HZ (EDGE: VLF low,\n"
    "                             VLF high, LF low, LF high, HF low or HF high); the edges on\n"
    "                             its line move with it, as far as the neighbouring lines\n"
    "  drag box EDGE VALUE        drag an edge of the classifier plot's box to VALUE (EDGE:\n"
    "                             left or right, in ms; bottom or top, the form factor)\n"
    "  click VIEW N               click the N-th point (from 1) of a plot view: tachogram,\n"
    "                             rr-histogram, delta-rr-histogram, poincare, spectrum or\n"
    "                             classifier\n"
    "  dialog MENU                open the dialog of this menu item and fill it in with the\n"
    "                             lines up to ok or cancel, e.g. dialog Rhyth|Settings:\n"
    "    type LABEL=TEXT          type into the field of this label (a pair of fields under\n"
    "                             one label takes LOW-HIGH), e.g. type RR Interval=800-1200\n"
    "    choose LIST=ITEM         choose an item of a list, e.g. choose Preset=Mouse\n"
    "    click CAPTION            click a button, option or check box, e.g. click Selection\n"
    "                             (a button whose caption ends in ... opens a dialog of its\n"
    "                             own, filled in with the lines up to its ok or cancel, e.g.\n"
    "                             click Advanced... in the settings of the Custom preset)\n"
    "    preview FILE             write the preview of the detector settings (Advanced...)\n"
    "                             as a PNG picture: the selection, else the recording's first\n"
    "                             ten seconds\n"
    "    ok | cancel              press OK (what the dialog refuses stops the script with its\n"
    "                             warning and the marked fields) or Cancel, which leaves all\n"
    "                             as it was: none of the dialog's lines is done\n"
    "\n"
    "The settings dialog takes its answer with OK; a setting it refuses stops the script.\n"
    "Each drag and click opens its plot view, hands the view what the gesture hands it, and\n"
    "prints what changed; a value the view refuses stops the script.\n";

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// What follows the first word, without the blanks around it.
std::string Rest(const std::string& line, const std::string& first) {
  std::string rest = line.substr(line.find(first) + first.size());
  const auto begin = rest.find_first_not_of(" \t");
  const auto end = rest.find_last_not_of(" \t\r");
  return begin == std::string::npos ? std::string() : rest.substr(begin, end - begin + 1);
}

int Answer(const std::string& word) {
  if (word == "ok") return IDOK;
  if (word == "cancel") return IDCANCEL;
  if (word == "yes") return IDYES;
  if (word == "no") return IDNO;
  throw std::invalid_argument("answer takes ok, cancel, yes or no, not '" + word + "'");
}

void Need(const std::vector<std::string>& words, std::size_t least, std::size_t most,
          const char* form) {
  if (words.size() < least || words.size() > most) {
    throw std::invalid_argument(std::string("expected: ") + form);
  }
}

void OpenSample(AnalysisSession& session, const std::vector<std::string>& words) {
  SyntheticEcgSettings sample;
  if (words.size() % 2 != 0) throw std::invalid_argument("each sample option needs a value");
  for (std::size_t i = 2; i < words.size(); i += 2) {
    if (!ParseSampleOption(words[i], words[i + 1], sample)) {
      throw std::invalid_argument("unknown sample option " + words[i]);
    }
  }
  session.OpenSample(sample);
}

void RunLine(AnalysisSession& session, const std::string& line, std::FILE* out) {
  const std::vector<std::string> words = Words(line);
  const std::string& verb = words[0];
  if (verb == "open") {
    Need(words, 2, 99, "open FILE, or open sample [OPTION VALUE]...");
    if (words[1] == "sample") {
      OpenSample(session, words);
    } else {
      session.OpenFile(Rest(line, verb));
    }
  } else if (verb == "select") {
    Need(words, 2, 3, "select FROM [TO]");
    std::optional<double> to;
    if (words.size() == 3) to = NumberArgument("select", words[2]);
    session.SelectSeconds(NumberArgument("select", words[1]), to);
  } else if (verb == "point") {
    Need(words, 2, 2, "point T");
    session.SelectPoint(NumberArgument("point", words[1]));
  } else if (verb == "menu") {
    Need(words, 2, 99, "menu TEXT");
    session.FireMenu(Quor::String::FromUtf8(Rest(line, verb)).ToStdWString());
  } else if (verb == "answer") {
    Need(words, 2, 2, "answer ok|cancel|yes|no");
    win32::QueueMessageBoxAnswer(Answer(words[1]));
  } else if (verb == "print") {
    Need(words, 1, 2, "print [csv]");
    if (words.size() == 2 && words[1] != "csv") throw std::invalid_argument("expected: print [csv]");
    const AnalysisResults results = session.Results();
    if (words.size() == 2) {
      PrintMeasurementCsv(results.measurements, out);
    } else {
      PrintMeasurementTable(results.measurements, out);
    }
  } else if (verb == "save") {
    Need(words, 2, 99, "save FILE");
    session.Save(Rest(line, verb));
  } else if (verb == "export") {
    Need(words, 3, 3, "export rr FILE, or export beats FILE");
    if (words[1] == "rr") {
      session.WriteRRIntervals(words[2]);
    } else if (words[1] == "beats") {
      session.WriteBeats(words[2]);
    } else {
      throw std::invalid_argument("export writes rr or beats, not '" + words[1] + "'");
    }
  } else if (verb == "calc") {
    Need(words, 2, 99, "calc MEASURE [; NAME=VALUE]...");
    const std::string name = session.AddCalculatedChannel(Rest(line, verb));
    std::fprintf(out, "added channel %s\n", name.c_str());
  } else if (verb == "set" || verb == "preset") {
    Need(words, 2, 99, verb == "set" ? "set NAME=VALUE" : "preset NAME");
    SettingsRequest request;
    ParseSettingsOption("--" + verb, Rest(line, verb), request);
    ApplySettings(session, request);
  } else if (!RunPlotEditLine(session, words, out)) {
    throw std::invalid_argument("unknown action '" + verb + "' (pendrel run --help lists them)");
  }
}

}  // namespace

int RunScript(std::istream& script, const std::string& name, std::FILE* out, std::FILE* err) {
  AnalysisSession session;
  ScriptedDialog dialog;
  std::string line;
  int number = 1;
  for (; std::getline(script, line); ++number) {
    // Editors that save UTF-8 with a byte order mark put it before the first action.
    if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
    const std::size_t comment = line.find('#');
    if (comment != std::string::npos) line.erase(comment);
    if (Words(line).empty()) continue;
    try {
      if (!dialog.TakeLine(session, line, number)) RunLine(session, line, out);
      for (const std::string& message : session.TakeMessages()) {
        std::fprintf(err, "%s:%d: the module said: %s\n", name.c_str(), number, message.c_str());
      }
    } catch (const std::exception& e) {
      std::fprintf(err, "pendrel run: %s:%d: %s\n", name.c_str(), number, e.what());
      return 1;
    }
  }
  try {
    dialog.Finish();
  } catch (const std::exception& e) {
    std::fprintf(err, "pendrel run: %s:%d: %s\n", name.c_str(), number - 1, e.what());
    return 1;
  }
  return 0;
}

int RunRunCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
  if (arguments.size() != 1 || arguments[0].rfind("--", 0) == 0) {
    std::fprintf(err, "pendrel run: %s (pendrel run --help)\n",
                 arguments.empty() ? "a script is needed" : "expected one script");
    return 2;
  }
  std::ifstream script(arguments[0]);
  if (!script) {
    std::fprintf(err, "pendrel run: cannot read %s: %s\n", arguments[0].c_str(),
                 std::strerror(errno));
    return 1;
  }
  return RunScript(script, arguments[0], out, err);
}

}  // namespace PendrelHost
