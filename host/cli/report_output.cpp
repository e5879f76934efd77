#include "host/cli/report_output.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/quor_string.h"
#include "host/cli/output_files.h"
#include "platform/pendrel/view_messages.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/printing.h"

namespace PendrelHost {

namespace {

constexpr char16_t kReportMenuItem[] = u"Rhyth|Report";

std::string LowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return extension;
}

bool IsPdf(const std::filesystem::path& path) { return LowerExtension(path) == ".pdf"; }

// The Unicode text on the clipboard, without its closing NUL; empty when there is none.
std::u16string ClipboardText() {
  std::u16string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* units = static_cast<const char16_t*>(GlobalLock(block))) {
      text.assign(units, std::char_traits<char16_t>::length(units));
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return text;
}

void WritePage(HostedView& view, const std::filesystem::path& path) {
  view.SendMessage(kHostCopyMsgId);
  const std::u16string page = ClipboardText();
  if (page.empty()) throw SessionError("the report view showed no page");
  WriteWholeFile(path, Quor::String(page).ToUtf8String());
}

void WritePrintedPage(HostedView& view, const std::filesystem::path& path) {
  CheckOutputFile(path);
  const std::vector<std::string> before = win32::SpooledDocuments();
  view.SendMessage(kHostPrintMsgId);
  const std::vector<std::string> after = win32::SpooledDocuments();
  if (after.size() <= before.size()) {
    throw SessionError("the report view printed nothing: is a browser installed?");
  }
  const PartialFile partial{PartialPathOf(path)};
  std::error_code error;
  std::filesystem::copy_file(after.back(), partial.path,
                             std::filesystem::copy_options::overwrite_existing, error);
  std::filesystem::remove(after.back());
  if (error) throw SessionError("cannot write " + path.string() + ": " + error.message());
  MoveIntoPlace(partial.path, path);
}

}  // namespace

bool IsReportFileName(const std::filesystem::path& path) {
  const std::string extension = LowerExtension(path);
  return extension == ".html" || extension == ".htm" || extension == ".pdf";
}

void WriteReport(AnalysisSession& session, const std::filesystem::path& path) {
  if (!IsReportFileName(path)) {
    throw SessionError("--report writes .html or .pdf files, not " + path.string());
  }
  session.CheckOutputTarget(path);
  const std::unique_ptr<HostedView> view = session.OpenViewOfMenu(kReportMenuItem);
  if (IsPdf(path)) {
    WritePrintedPage(*view, path);
  } else {
    WritePage(*view, path);
  }
}

}  // namespace PendrelHost
