// One document open in the command line's host, with the analysis module's document over it:
// opening a recording, the built-in sample or a saved document, selecting, running menu
// commands, reading what the analysis found, exporting and saving. The commands `analyse`,
// `menu` and `run` all work through one of these. Errors are thrown as SessionError with one
// line that says what went wrong.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/module/analysis_results.h"
#include "host/app/main_window.h"
#include "host/document/hosted_document.h"
#include "host/views/hosted_view.h"
#include "host/recording/synthetic_ecg.h"

namespace PendrelHost {

class SessionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Measurement {
  std::string name;
  std::string unit;
  double value;
};

struct AnalysisResults {
  std::vector<Measurement> measurements;
  std::vector<Rhyth::RhythBeatRow> beats;
};

// Whether a file is one of the host's saved documents (a compound file) rather than a
// recording.
bool IsDocumentFile(const std::filesystem::path& path);

class AnalysisSession {
 public:
  // Progress goes to `progress` when given (the command line gives standard error when it is
  // a terminal).
  explicit AnalysisSession(std::FILE* progress = nullptr);
  ~AnalysisSession();

  // A recording file or a saved document, by what the file holds.
  void OpenFile(const std::filesystem::path& path);
  void OpenSample(const SyntheticEcgSettings& settings);
  // An empty document over `target`, which a sampling session fills, in a host that can
  // sample; its data document is what the simulated device appends to.
  DataDocument& OpenForSampling(std::shared_ptr<Recording> target);
  bool IsOpen() const { return static_cast<bool>(m_document); }
  // Whether the open document came from a saved document file.
  bool FromDocumentFile() const { return m_fromDocumentFile; }

  // Selects [from, to) seconds of the first record (to its end without `to`).
  void SelectSeconds(double from, std::optional<double> to);
  // Selects the one tick at `at` seconds.
  void SelectPoint(double at);

  // Runs the menu item of this text or path, as a click on it does.
  void FireMenu(std::u16string_view name);
  void Analyse();
  // Runs the menu item that asks the host for a view and opens that view on the module's
  // document, as the host does, in a frame of the given size; throws when the item asks for no
  // view or nothing makes it.
  std::unique_ptr<HostedView> OpenViewOfMenu(std::u16string_view item, ViewFrameSize frame = {});

  AnalysisResults Results();
  // Throws SessionError when writing `path` would replace the opened file or a file its
  // recording is read from; a saved document may be saved over itself (`savingDocument`).
  void CheckOutputTarget(const std::filesystem::path& path, bool savingDocument = false) const;
  void WriteBeats(const std::filesystem::path& path);
  // Through the host's save-as, in the module's RR interval format; an analysis without
  // intervals writes an empty file. Throws with the module's message when it refused.
  void WriteRRIntervals(const std::filesystem::path& path);
  void Save(const std::filesystem::path& path);

  // Adds a channel computed by the module's channel calculation, its dialog answered with the
  // beat measure by its name in the dialog's list or its code, then OK: the channel's name.
  // Further fields of the dialog may follow the measure as "; NAME=VALUE". Throws
  // SettingsRefused when the dialog does not take them.
  std::string AddCalculatedChannel(const std::string& measure);
  // The open document's recording, channels and selection, as the host keeps them.
  DataDocument& Data() { return Document().Data(); }

  // The texts of the message boxes the module showed since the last call.
  std::vector<std::string> TakeMessages();

  // Replaces the progress line, when there is one; an empty text clears it.
  void Progress(const char* text);

 private:
  void Adopt(std::unique_ptr<HostedDocument> document);
  HostedDocument& Document();
  IUnknown* ModuleDocument();
  double SampleRate();

  std::FILE* m_progress;
  // The window the module's message boxes stand over, for as long as the session lasts.
  HostMainWindow m_mainWindow;
  std::unique_ptr<HostedDocument> m_document;
  bool m_fromDocumentFile = false;
  // The file the open document was opened from; none for the sample and a sampled document.
  std::optional<std::filesystem::path> m_openedFile;
};

}  // namespace PendrelHost
