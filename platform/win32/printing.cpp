#include "platform/win32/printing.h"

#include <cairo-pdf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <mutex>

#include "platform/win32/gdi_internal.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/utf8_path.h"

using namespace win32::gdi;

namespace {

struct PrintState {
  std::mutex mutex;
  win32::PrinterDescription printer;
  std::string spoolFolder;
  std::vector<std::string> spooled;
  int nextJob = 1;
  std::deque<DWORD> answers;
  std::vector<win32::ShownPrintDialog> shown;
  std::optional<win32::PrintStep> failingStep;
};

PrintState& State() {
  static auto* state = new PrintState;
  return *state;
}

std::string DefaultSpoolFolder() {
  const char* temporary = getenv("TMPDIR");
  return std::string(temporary && *temporary ? temporary : "/tmp") + "/rhyth-spool-" +
         std::to_string(getpid());
}

bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

// A file name from a document name: letters, digits, '-', '_' and '.' are kept.
std::string FileNameFor(int job, LPCWSTR documentName) {
  std::string name = "job" + std::to_string(job);
  if (documentName && *documentName) {
    name += '-';
    for (const char16_t* c = documentName; *c && name.size() < 80; ++c)
      name += (*c < 0x80 && (isalnum(int(*c)) || *c == '-' || *c == '_' || *c == '.')) ? char(*c) : '_';
  }
  return name + ".pdf";
}

int PixelsOf(int mm100, int dotsPerInch) { return MulDiv(mm100, dotsPerInch, 2540); }

DeviceContext* PrinterContext(HDC dc) {
  DeviceContext* context = FindDC(dc);
  if (!context || context->kind != DeviceKind::Printer) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return context;
}

HDC NewPrinterDC() {
  const win32::PrinterDescription printer = win32::CurrentPrinter();
  // Until a document starts, text can be measured on a scratch surface.
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  const HDC dc = NewDeviceContext(DeviceKind::Printer, nullptr, scratch, printer.dotsPerInch);
  cairo_surface_destroy(scratch);
  DeviceContext* context = FindDC(dc);
  context->width = PixelsOf(printer.paperWidthMm100, printer.dotsPerInch);
  context->height = PixelsOf(printer.paperHeightMm100, printer.dotsPerInch);
  return dc;
}

// The file of a new job in the spool folder, made when missing; empty with the last error set
// when the folder cannot be made.
std::string NewSpoolPath(LPCWSTR documentName, int* job) {
  const std::string folder = win32::SpoolFolder();
  if (!MakeFolders(folder)) {
    SetLastError(win32::Win32ErrorFromErrno(errno));
    return "";
  }
  {
    PrintState& state = State();
    std::lock_guard lock(state.mutex);
    *job = state.nextJob++;
  }
  return folder + "/" + FileNameFor(*job, documentName);
}

// Whether a test asked this step to fail; the request is used up.
bool StepFails(win32::PrintStep step) {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.failingStep != step) return false;
  state.failingStep.reset();
  SetLastError(ERROR_WRITE_FAULT);
  return true;
}

HGLOBAL DevModeOf(const win32::PrinterDescription& printer) {
  const HGLOBAL block = GlobalAlloc(GHND, sizeof(DEVMODEW));
  auto* mode = static_cast<DEVMODEW*>(GlobalLock(block));
  const std::size_t length = std::min<std::size_t>(printer.name.size(), 31);
  std::copy_n(printer.name.begin(), length, mode->dmDeviceName);
  mode->dmSize = sizeof(DEVMODEW);
  mode->dmFields = DM_COPIES | DM_PRINTQUALITY;
  mode->dmCopies = 1;
  mode->dmPrintQuality = printer.printQuality.value_or(short(printer.dotsPerInch));
  GlobalUnlock(block);
  return block;
}

HGLOBAL DevNamesOf(const win32::PrinterDescription& printer) {
  const std::u16string names[3] = {u"WINSPOOL", printer.name, u"PDF:"};
  std::u16string text(sizeof(DEVNAMES) / sizeof(WCHAR), u'\0');
  WORD offsets[3];
  for (int i = 0; i < 3; ++i) {
    offsets[i] = WORD(text.size());
    text += names[i];
    text += u'\0';
  }
  const HGLOBAL block = GlobalAlloc(GHND, text.size() * sizeof(WCHAR));
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  std::memcpy(bytes, text.data(), text.size() * sizeof(WCHAR));
  const DEVNAMES header{offsets[0], offsets[1], offsets[2], 1};
  std::memcpy(bytes, &header, sizeof header);
  GlobalUnlock(block);
  return block;
}

void CloseDocument(DeviceContext& context, bool keep) {
  cairo_surface_finish(context.surface);
  const int width = context.width, height = context.height;
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  AttachSurface(context, scratch);
  cairo_surface_destroy(scratch);
  context.width = width;
  context.height = height;
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  if (keep)
    state.spooled.push_back(context.printPath);
  else
    unlink(context.printPath.c_str());
  context.printPath.clear();
  context.printJob = 0;
}

}  // namespace

HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR, const void*) {
  const std::u16string driverName = driver ? driver : u"";
  const std::u16string deviceName = device ? device : u"";
  if (driverName == u"DISPLAY" || deviceName == u"DISPLAY") return GetDC(nullptr);
  if (deviceName == win32::CurrentPrinter().name || (deviceName.empty() && driverName == u"WINSPOOL"))
    return NewPrinterDC();
  SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

int StartDocW(HDC dc, const DOCINFOW* document) {
  DeviceContext* context = PrinterContext(dc);
  if (!context || context->printJob || StepFails(win32::PrintStep::StartDoc)) return SP_ERROR;
  int job = 0;
  std::string path = NewSpoolPath(document ? document->lpszDocName : nullptr, &job);
  if (path.empty()) return SP_ERROR;
  if (document && document->lpszOutput) {
    // An explicit output file takes the place of the spool folder's.
    std::string named;
    if (win32::Utf8PathFromName(document->lpszOutput, named)) path = named;
  }
  const double points = 72.0 / context->dotsPerInch;
  cairo_surface_t* pdf = cairo_pdf_surface_create(path.c_str(), context->width * points, context->height * points);
  if (cairo_surface_status(pdf) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(pdf);
    SetLastError(ERROR_ACCESS_DENIED);
    return SP_ERROR;
  }
  // Drawing is in printer pixels; the PDF is in points.
  cairo_surface_set_device_scale(pdf, points, points);
  const int width = context->width, height = context->height;
  AttachSurface(*context, pdf);
  cairo_surface_destroy(pdf);
  context->width = width;
  context->height = height;
  context->printPath = path;
  context->printJob = job;
  return job;
}

int StartPage(HDC dc) {
  DeviceContext* context = PrinterContext(dc);
  return context && context->printJob && !StepFails(win32::PrintStep::StartPage) ? 1 : SP_ERROR;
}

int EndPage(HDC dc) {
  DeviceContext* context = PrinterContext(dc);
  if (!context || !context->printJob || StepFails(win32::PrintStep::EndPage)) return SP_ERROR;
  cairo_show_page(context->cairo);
  return 1;
}

int EndDoc(HDC dc) {
  DeviceContext* context = PrinterContext(dc);
  if (!context || !context->printJob || StepFails(win32::PrintStep::EndDoc)) return SP_ERROR;
  CloseDocument(*context, true);
  return 1;
}

int AbortDoc(HDC dc) {
  DeviceContext* context = PrinterContext(dc);
  if (!context || !context->printJob) return SP_ERROR;
  CloseDocument(*context, false);
  return 1;
}

HRESULT PrintDlgExW(PRINTDLGEXW* dialog) {
  if (!dialog || dialog->lStructSize < sizeof(PRINTDLGEXW)) return E_INVALIDARG;
  DWORD answer = PD_RESULT_CANCEL;
  {
    PrintState& state = State();
    std::lock_guard lock(state.mutex);
    if (!state.answers.empty()) {
      answer = state.answers.front();
      state.answers.pop_front();
    }
    state.shown.push_back({dialog->hwndOwner, dialog->Flags, answer});
  }
  dialog->dwResultAction = answer;
  dialog->hDC = answer != PD_RESULT_CANCEL && (dialog->Flags & PD_RETURNDC) ? NewPrinterDC() : nullptr;
  if (answer != PD_RESULT_CANCEL) {
    const win32::PrinterDescription printer = win32::CurrentPrinter();
    if (!dialog->hDevMode) dialog->hDevMode = DevModeOf(printer);
    if (!dialog->hDevNames) dialog->hDevNames = DevNamesOf(printer);
    dialog->Flags &= ~(PD_SELECTION | PD_PAGENUMS);
    dialog->nCopies = 1;
  }
  return S_OK;
}

namespace win32 {

void SetPrinterForTesting(const PrinterDescription& printer) {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  state.printer = printer;
}

PrinterDescription CurrentPrinter() {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  return state.printer;
}

void SetSpoolFolder(const std::string& folder) {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  state.spoolFolder = folder;
}

std::string SpoolFolder() {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  if (state.spoolFolder.empty()) state.spoolFolder = DefaultSpoolFolder();
  return state.spoolFolder;
}

std::string NewSpoolDocumentPath(const std::u16string& documentName) {
  int job = 0;
  return NewSpoolPath(documentName.c_str(), &job);
}

void AddSpooledDocument(const std::string& path) {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  state.spooled.push_back(path);
}

std::vector<std::string> SpooledDocuments() {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  return state.spooled;
}

void FailNextPrintStepForTesting(PrintStep step) {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  state.failingStep = step;
}

void QueuePrintDialogAnswer(DWORD resultAction) {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  state.answers.push_back(resultAction);
}

std::vector<ShownPrintDialog> ShownPrintDialogs() {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  return state.shown;
}

void ClearShownPrintDialogs() {
  PrintState& state = State();
  std::lock_guard lock(state.mutex);
  state.shown.clear();
  state.answers.clear();
  state.failingStep.reset();
}

}  // namespace win32
