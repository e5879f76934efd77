#include "host/cli/analysis_session.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "analysis/rhyth_guids.h"
#include "core/quor_string.h"
#include "core/storage/compound_file_format.h"
#include "host/document/data_document.h"
#include "host/calc/channel_calculations.h"
#include "host/cli/beat_mark_table.h"
#include "host/cli/csv_numbers.h"
#include "host/cli/dialog_answer.h"
#include "host/cli/output_files.h"
#include "host/cli/settings_options.h"
#include "host/documentfile/document_file.h"
#include "host/documentfile/document_file_error.h"
#include "host/framework/held_reference.h"
#include "host/framework/menu_commands.h"
#include "host/recording/recording_error.h"
#include "host/recording/recording_file.h"
#include "host/saveas/save_as.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/framework_services.h"
#include "platform/win32/com_runtime.h"
#include "platform/win32/message_box.h"

namespace PendrelHost {

namespace {

std::string Utf8(const std::u16string& text) { return Quor::String(text.c_str()).ToUtf8String(); }

std::string Utf8(BSTR text) {
  return text ? Utf8(std::u16string(text, SysStringLen(text))) : std::string();
}

template <class I>
Tarn::HeldReference<I> FrameworkService() {
  I* service = nullptr;
  CoGetClassObject(CLSID_TarnFrameWork, CLSCTX_ALL, nullptr, I::iid,
                   reinterpret_cast<void**>(&service));
  return Tarn::HeldReference<I>(service);
}

// The module's RR interval export among the formats the host's save-as offers for the document:
// the text format of the analysis document's kind.
std::optional<SaveAsFormat> RRExportFormat(const HostedDocument& document) {
  constexpr DWORD kRRExportNumber = 4;
  auto ids = FrameworkService<ITarnIdRegistry>();
  WORD id = 0;
  if (!ids || FAILED(ids->GetGuidId(Rhyth::GUID_RhythDocumentObj, &id))) return std::nullopt;
  for (SaveAsFormat& format : SaveAsFormats(document)) {
    if (format.typeWord == ((DWORD(id) << 16) | kRRExportNumber)) return std::move(format);
  }
  return std::nullopt;
}

}  // namespace

bool IsDocumentFile(const std::filesystem::path& path) {
  // A document is a compound file, which opens with its title in UTF-16.
  const std::u16string_view title = QuorCompoundFile::kTitle;
  std::ifstream in(path, std::ios::binary);
  std::string head(title.size() * 2, '\0');
  if (!in.read(head.data(), std::streamsize(head.size()))) return false;
  for (std::size_t i = 0; i < title.size(); ++i) {
    const char16_t unit = char16_t(static_cast<unsigned char>(head[2 * i]) |
                                   static_cast<unsigned char>(head[2 * i + 1]) << 8);
    if (unit != title[i]) return false;
  }
  return true;
}

AnalysisSession::AnalysisSession(std::FILE* progress) : m_progress(progress) {}

AnalysisSession::~AnalysisSession() {
  // The module documents close while the host still knows their classes.
  m_document.reset();
}

void AnalysisSession::Progress(const char* text) {
  if (!m_progress) return;
  std::fprintf(m_progress, "\r\033[K%s", text);
  std::fflush(m_progress);
}

namespace {

// A person's chart view opens on the start of the first record, a screen of ten seconds; the
// host tells views that start from it, as the detection preview does, that stretch.
void ShowTheStart(DataDocument& data) {
  constexpr double kScreenSeconds = 10.0;
  const Recording& source = data.Source();
  if (source.RecordCount() == 0 || source.TickCount(0) < 2) return;
  const int64_t screen = std::llround(kScreenSeconds * source.SampleRate());
  const LONG last = LONG(std::min<int64_t>(source.TickCount(0), screen) - 1);
  data.SetShownRange(std::pair{PendrelPosition{0, 0}, PendrelPosition{last, 0}});
}

}  // namespace

void AnalysisSession::Adopt(std::unique_ptr<HostedDocument> document) {
  m_document = std::move(document);
  ShowTheStart(m_document->Data());
  m_document->Activate();
  Progress("");
}

void AnalysisSession::OpenFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    const bool folder = std::filesystem::is_directory(path, error);
    throw SessionError("cannot open " + path.string() +
                       (folder ? ": it is a folder, not a file" : ": no such file"));
  }
  m_document.reset();
  m_openedFile.reset();
  Progress(("Reading " + path.string() + " ...").c_str());
  try {
    if (IsDocumentFile(path)) {
      OpenedDocument opened = OpenDocumentFile(path);
      for (const std::string& problem : opened.problems) {
        if (m_progress) std::fprintf(m_progress, "\r\033[K");
        std::fprintf(stderr, "pendrel: %s\n", problem.c_str());
      }
      m_fromDocumentFile = true;
      Adopt(std::move(opened.document));
      m_openedFile = path;
      return;
    }
    auto hosted = std::make_unique<HostedDocument>(OpenDocument(LoadRecordingFile(path)));
    hosted->SetRecordingFile(std::filesystem::absolute(path));
    hosted->StartNew();
    m_fromDocumentFile = false;
    Adopt(std::move(hosted));
    m_openedFile = path;
  } catch (const RecordingError& e) {
    Progress("");
    throw SessionError(e.what());
  } catch (const DocumentFileError& e) {
    Progress("");
    throw SessionError(e.what());
  }
}

void AnalysisSession::OpenSample(const SyntheticEcgSettings& settings) {
  m_document.reset();
  Progress("Making the built-in sample ...");
  auto hosted = std::make_unique<HostedDocument>(OpenDocument(MakeSyntheticEcg(settings).recording));
  hosted->Data().TimeText().SetName(u"Built-in sample");
  hosted->StartNew();
  m_fromDocumentFile = false;
  Adopt(std::move(hosted));
}

DataDocument& AnalysisSession::OpenForSampling(std::shared_ptr<Recording> target) {
  m_document.reset();
  auto hosted = std::make_unique<HostedDocument>(OpenDocument(std::move(target)));
  // The module offers its online mode only where the host can sample.
  hosted->Data().Sampling().SetCanSample(true);
  hosted->StartNew();
  m_fromDocumentFile = false;
  Adopt(std::move(hosted));
  return Document().Data();
}

HostedDocument& AnalysisSession::Document() {
  if (!m_document) throw SessionError("no recording is open");
  return *m_document;
}

double AnalysisSession::SampleRate() { return Document().Data().Source().SampleRate(); }

void AnalysisSession::SelectSeconds(double from, std::optional<double> to) {
  const double rate = SampleRate();
  if (from < 0 || (to && *to <= from)) {
    throw SessionError("the selection must start at 0 s or later and end after it starts");
  }
  const PendrelPosition start{LONG(std::llround(from * rate)), 0};
  const PendrelPosition end{to ? LONG(std::llround(*to * rate)) : kRecordEndOffset, 0};
  if (FAILED(Document().Data().Selected().SelectRange(start, end))) {
    const Recording& source = Document().Data().Source();
    throw SessionError("the selection lies outside the recording" +
                       (source.RecordCount() == 0
                            ? std::string(", which holds no data")
                            : ", whose first record is " +
                                  SecondsText(double(source.TickCount(0)) / rate) + " long"));
  }
}

void AnalysisSession::SelectPoint(double at) {
  const LONG tick = LONG(std::llround(at * SampleRate()));
  if (at < 0 || FAILED(Document().Data().Selected().SelectRange({tick, 0}, {tick + 1, 0}))) {
    throw SessionError("the point lies outside the recording");
  }
}

void AnalysisSession::FireMenu(std::u16string_view name) {
  Document().Activate();
  const HRESULT hr = Tarn::FireMenuCommand(name);
  const std::string text = Utf8(std::u16string(name));
  if (hr == E_INVALIDARG) {
    throw SessionError("no menu item is named '" + text + "' (pendrel menu lists them)");
  }
  if (hr == E_ACCESSDENIED) throw SessionError("the menu item '" + text + "' is disabled now");
  if (FAILED(hr)) throw SessionError("the menu item '" + text + "' failed");
}

void AnalysisSession::Analyse() {
  Progress("Analysing ...");
  FireMenu(u"Rhyth|Analyse");
  Progress("");
}

std::unique_ptr<HostedView> AnalysisSession::OpenViewOfMenu(std::u16string_view item,
                                                            ViewFrameSize frame) {
  const std::size_t asked = Data().Log().ViewRequests().size();
  FireMenu(item);
  const std::vector<DWORD>& requests = Data().Log().ViewRequests();
  const std::string text = Utf8(std::u16string(item));
  if (requests.size() == asked) throw SessionError("the menu item '" + text + "' opened no view");
  auto view = std::make_unique<HostedView>(requests.back(), ModuleDocument(), frame);
  if (!view->HasWindow()) throw SessionError("the view of the menu item '" + text + "' did not open");
  return view;
}

IUnknown* AnalysisSession::ModuleDocument() {
  for (const HostedModule& module : Document().Modules()) {
    Rhyth::IRhythAnalysisResults* results = nullptr;
    if (SUCCEEDED(module.document->QueryInterface(Rhyth::IRhythAnalysisResults::iid,
                                                  reinterpret_cast<void**>(&results)))) {
      results->Release();
      return module.document.get();
    }
  }
  throw SessionError("the analysis module made no document: is it loaded?");
}

AnalysisResults AnalysisSession::Results() {
  Rhyth::IRhythAnalysisResults* raw = nullptr;
  ModuleDocument()->QueryInterface(Rhyth::IRhythAnalysisResults::iid,
                                   reinterpret_cast<void**>(&raw));
  Tarn::HeldReference<Rhyth::IRhythAnalysisResults> results(raw);
  AnalysisResults out;
  DWORD count = 0;
  results->GetMeasurementCount(&count);
  for (DWORD i = 0; i < count; ++i) {
    BSTR name = nullptr, unit = nullptr;
    double value = NAN;
    if (FAILED(results->GetMeasurement(i, &name, &unit, &value))) continue;
    out.measurements.push_back({Utf8(name), Utf8(unit), value});
    SysFreeString(name);
    SysFreeString(unit);
  }
  results->GetBeatCount(&count);
  out.beats.resize(count);
  for (DWORD i = 0; i < count; ++i) results->GetBeat(i, &out.beats[i]);
  return out;
}

void AnalysisSession::CheckOutputTarget(const std::filesystem::path& path,
                                        bool savingDocument) const {
  if (m_openedFile) CheckNotOverSource(path, *m_openedFile, savingDocument);
  // A saved document reads its recording from the file it was made from.
  if (m_document && !m_document->RecordingFile().empty()) {
    CheckNotOverSource(path, m_document->RecordingFile(), false);
  }
}

void AnalysisSession::WriteBeats(const std::filesystem::path& path) {
  CheckOutputTarget(path);
  const AnalysisResults results = Results();
  const BeatMarkTable marks(Data());
  std::string table = "record,tick,time_s,rr_s,class,ff,colour,tooltip\n";
  char line[160];
  for (const Rhyth::RhythBeatRow& beat : results.beats) {
    std::snprintf(line, sizeof line, "%d,%d,%.6f,%.6f,%u,%.6g,", int(beat.record),
                  int(beat.tick), beat.time, beat.rr, unsigned(beat.beatClass), beat.ff);
    table.append(line).append(marks.Columns(beat.record, beat.tick)).push_back('\n');
  }
  WriteWholeFile(path, table);
}

void AnalysisSession::WriteRRIntervals(const std::filesystem::path& path) {
  CheckOutputTarget(path);
  const std::optional<SaveAsFormat> format = RRExportFormat(Document());
  if (!format) throw SessionError("the analysis module offers no RR interval export");
  const std::size_t shown = win32::ShownMessageBoxes().size();
  const HRESULT hr =
      SaveDocumentAs(Document(), *format, Quor::String::FromUtf8(path.string()).ToStdWString());
  if (SUCCEEDED(hr)) return;
  // The module told the user why in a message box: its text is the error's.
  const std::vector<win32::ShownMessageBox> boxes = win32::ShownMessageBoxes();
  std::string why = boxes.size() > shown ? Utf8(boxes.back().text) : "the export failed";
  for (char& c : why) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  throw SessionError("cannot write " + path.string() + ": " + why);
}

void AnalysisSession::Save(const std::filesystem::path& path) {
  CheckOutputTarget(path, true);
  Progress(("Saving " + path.string() + " ...").c_str());
  try {
    SaveDocumentFile(Document(), path);
  } catch (const DocumentFileError& e) {
    Progress("");
    throw SessionError(e.what());
  }
  Progress("");
}

std::string AnalysisSession::AddCalculatedChannel(const std::string& measure) {
  const auto calcClass = FindCalculationClass("Rhyth");
  if (!calcClass) throw SessionError("the analysis module offers no channel calculation");
  DataDocument& data = Data();
  // A saved document may already have a channel of the name.
  std::string name = "Calculation";
  for (int n = 2; data.Channels().Find(name); ++n) name = "Calculation " + std::to_string(n);
  std::optional<std::string> added;
  // "MEASURE; NAME=VALUE; ...": the measure, then further fields of the dialog.
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  for (std::size_t end; start <= measure.size(); start = end + 1) {
    end = std::min(measure.find(';', start), measure.size());
    const std::string part = measure.substr(start, end - start);
    lines.push_back(Quor::String::FromUtf8(lines.empty() ? "Parameter=" + part : part).ToStdWString());
  }
  AnswerNextDialog(lines, [&] { added = PendrelHost::AddCalculatedChannel(data, calcClass.get(), name); },
                   "the channel calculation showed no dialog");
  if (!added) throw SessionError("the channel calculation's dialog was cancelled");
  return *added;
}

std::vector<std::string> AnalysisSession::TakeMessages() {
  std::vector<std::string> texts;
  for (const win32::ShownMessageBox& box : win32::ShownMessageBoxes()) texts.push_back(Utf8(box.text));
  win32::ClearShownMessageBoxes();
  return texts;
}

}  // namespace PendrelHost
