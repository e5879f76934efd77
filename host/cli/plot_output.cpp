#include "host/cli/plot_output.h"

#include <charconv>
#include <stdexcept>
#include <system_error>

#include "core/quor_string.h"
#include "host/cli/output_files.h"
#include "host/cli/plot_view_page.h"
#include "platform/pendrel/view_messages.h"
#include "platform/win32/message_queue.h"

namespace PendrelHost {

namespace fs = std::filesystem;

namespace {

// After the SVG has come, how long the image may still take: the page answers the save
// first, so this wait normally ends at once.
constexpr DWORD kImageGraceMs = 2000;

int PlotSide(const std::string& text, const std::string& whole) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw std::invalid_argument("--plot-size takes WIDTHxHEIGHT in pixels, e.g. 800x600, not '" +
                                whole + "'");
  }
  if (value < kMinimumPlotSide || value > kMaximumPlotSide) {
    throw std::invalid_argument("--plot-size: each side is from " + std::to_string(kMinimumPlotSide) +
                                " to " + std::to_string(kMaximumPlotSide) + " pixels, not " + text);
  }
  return value;
}

// Both files of one view. The image goes to a partial name first, so that a file of the final
// name is only ever a whole one and a failure leaves an earlier file as it was.
void WritePlot(AnalysisSession& session, const PlotViewKind& kind, const fs::path& folder,
               ViewFrameSize size) {
  PlotViewPage page(session, kind, size);
  page.WaitForPaint();
  const fs::path png = folder / (std::string(kind.plotId) + ".png");
  const PartialFile partial{folder / (".partial-" + std::string(kind.plotId) + ".png")};
  const fs::path& partialPng = partial.path;
  std::u16string path = Quor::String::FromUtf8(partialPng.string()).ToStdWString();
  path.push_back(u'\0');
  page.View().SendMessage(kHostSaveImageMsgId, path.data(), DWORD(path.size() * sizeof(char16_t)));
  // The SVG the page hands over for a copy, taken from the page itself: the view's copy would
  // also draw it into a metafile for the clipboard, which a file does not need. The page
  // answers the save first, on this thread while it waits here, so the image is written by
  // the time the SVG comes.
  const std::string svg = page.PrintableSvg();
  WriteWholeFile(folder / (std::string(kind.plotId) + ".svg"), svg);
  if (!win32::WaitDispatchingSentMessages([&] { return fs::exists(partialPng); }, kImageGraceMs)) {
    throw SessionError("cannot write " + png.string() + ": the image was not saved");
  }
  MoveIntoPlace(partialPng, png);
}

}  // namespace

ViewFrameSize ParsePlotSize(const std::string& text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos) {
    throw std::invalid_argument("--plot-size takes WIDTHxHEIGHT in pixels, e.g. 800x600, not '" +
                                text + "'");
  }
  return {PlotSide(text.substr(0, x), text), PlotSide(text.substr(x + 1), text)};
}

void PreparePlotFolder(const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error || !fs::is_directory(folder)) {
    throw SessionError("cannot write plots into " + folder.string() + ": " +
                       (error ? error.message() : std::string("not a folder")));
  }
  const std::string why = FolderUnwritableReason(folder);
  if (!why.empty()) throw SessionError("cannot write plots into " + folder.string() + ": " + why);
}

int WritePlots(AnalysisSession& session, const fs::path& folder, ViewFrameSize size, std::FILE* err) {
  int failed = 0;
  int number = 0;
  for (const PlotViewKind& kind : PlotViewKinds()) {
    ++number;
    session.Progress(("Writing the " + std::string(kind.name) + " plot (" + std::to_string(number) +
                      "/" + std::to_string(PlotViewKinds().size()) + ") ...")
                         .c_str());
    try {
      WritePlot(session, kind, folder, size);
    } catch (const std::exception& e) {
      session.Progress("");
      std::fprintf(err, "pendrel: %s: %s\n", kind.plotId, e.what());
      ++failed;
    }
  }
  session.Progress("");
  return failed;
}

}  // namespace PendrelHost
