#include "plotengine/tasks/win_print_job.h"

#include <memory>
#include <stdexcept>

#include "core/format_stream.h"
#include "core/local_clock.h"
#include "core/date_time_text.h"
#include "platform/gdiplus/graphics.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/metafile.h"
#include "platform/win32/user_name.h"
#include "plotengine/svg/render_plot_svg.h"
#include "plotengine/tasks/printed_plot_box.h"

namespace Quor {
namespace {

constexpr DWORD kDialogFlags =
    PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOCURRENTPAGE;

// Reads a settings block of the dialog while it is locked.
template <class Block, class Read>
auto ReadLocked(HGLOBAL handle, Read read) -> decltype(read(static_cast<const Block*>(nullptr))) {
  const auto* block = static_cast<const Block*>(handle ? GlobalLock(handle) : nullptr);
  auto result = read(block);
  if (block) GlobalUnlock(handle);
  return result;
}

// The page's texts: a font of `points` in the renderer's family, in printer dots.
std::unique_ptr<Gdiplus::Font> PageFont(const std::string& family, int points, int dotsPerInch) {
  const Gdiplus::FontFamily named(String::FromUtf8(family).c_str());
  const Gdiplus::FontFamily* chosen = named.IsAvailable() ? &named : Gdiplus::FontFamily::GenericSansSerif();
  return std::make_unique<Gdiplus::Font>(chosen, Gdiplus::REAL(MulDiv(points, dotsPerInch, 72)),
                                         Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
}

float TextWidth(const Gdiplus::Graphics& graphics, const String& text, const Gdiplus::Font& font) {
  Gdiplus::RectF box;
  graphics.MeasureString(text.c_str(), -1, &font, Gdiplus::RectF(), nullptr, &box);
  return box.Width;
}

String UserName() {
  WCHAR name[255];
  DWORD size = 255;
  return GetUserNameW(name, &size) ? String(name) : String();
}

String PrintedOnText() {
  LocalClock clock;
  clock.Now();
  String now;
  FormatDateTimeText(clock.localTime, now);
  return Format(String(u"Printed on %1 for %2"), now, UserName());
}

// The printer context with its document: a document left open is aborted, so that no partial
// one is kept.
class PrinterDocument {
 public:
  explicit PrinterDocument(HDC dc) : m_dc(dc) {}
  PrinterDocument(const PrinterDocument&) = delete;
  PrinterDocument& operator=(const PrinterDocument&) = delete;
  ~PrinterDocument() {
    if (m_open) AbortDoc(m_dc);
    DeleteDC(m_dc);
  }
  void Start(const String& title) {
    const DOCINFOW document{sizeof(DOCINFOW), title.c_str(), nullptr, nullptr, 0};
    Check(StartDocW(m_dc, &document), "the document could not be started");
    m_open = true;
    Check(StartPage(m_dc), "the page could not be started");
  }
  void Finish() {
    Check(EndPage(m_dc), "the page could not be finished");
    Check(EndDoc(m_dc), "the document could not be finished");
    m_open = false;
  }
  HDC Context() const { return m_dc; }

 private:
  static void Check(int result, const char* failure) {
    if (result <= 0) throw std::runtime_error(std::string("Printing failed: ") + failure + ".");
  }
  HDC m_dc;
  bool m_open = false;
};

}  // namespace

WinPrintJob::WinPrintJob(HWND owner, std::string title, std::string plotId)
    : EtchPrintJob(std::move(title), std::move(plotId)) {
  m_dialog.lStructSize = sizeof m_dialog;
  m_dialog.hwndOwner = owner;
  m_dialog.Flags = kDialogFlags;
  m_dialog.nStartPage = START_PAGE_GENERAL;
  m_dialogResult = PrintDlgExW(&m_dialog);
}

WinPrintJob::~WinPrintJob() {
  GlobalFree(m_dialog.hDevMode);
  GlobalFree(m_dialog.hDevNames);
  if (m_dialog.hDC) DeleteDC(m_dialog.hDC);
}

bool WinPrintJob::IsCancelled() const {
  return m_dialogResult != S_OK || m_dialog.dwResultAction != PD_RESULT_PRINT;
}

String WinPrintJob::PrinterName() const {
  return ReadLocked<DEVNAMES>(m_dialog.hDevNames, [](const DEVNAMES* names) {
    return names ? String(reinterpret_cast<const WCHAR*>(names) + names->wDeviceOffset) : String();
  });
}

bool WinPrintJob::IsAllPages() const { return (m_dialog.Flags & (PD_SELECTION | PD_PAGENUMS)) == 0; }
bool WinPrintJob::IsPageRange() const { return (m_dialog.Flags & PD_PAGENUMS) != 0; }
bool WinPrintJob::IsSelection() const { return (m_dialog.Flags & PD_SELECTION) != 0; }

int WinPrintJob::Copies() const {
  if (!(m_dialog.Flags & PD_USEDEVMODECOPIESANDCOLLATE)) return int(m_dialog.nCopies);
  return ReadLocked<DEVMODEW>(m_dialog.hDevMode,
                              [](const DEVMODEW* mode) { return mode ? int(mode->dmCopies) : -1; });
}

bool WinPrintJob::Run(const std::string& svg) {
  std::unique_ptr<SvgGdiplusRenderer> renderer = RenderPlotSvg(svg, "", u"");
  PrintPage(*renderer);
  return true;
}

HDC WinPrintJob::CreatePrinterContext() const {
  return ReadLocked<DEVNAMES>(m_dialog.hDevNames, [this](const DEVNAMES* names) -> HDC {
    if (!names) return nullptr;
    const auto* text = reinterpret_cast<const WCHAR*>(names);
    return ReadLocked<DEVMODEW>(m_dialog.hDevMode, [&](const DEVMODEW* mode) {
      return CreateDCW(text + names->wDriverOffset, text + names->wDeviceOffset, text + names->wOutputOffset, mode);
    });
  });
}

void WinPrintJob::PrintPage(SvgGdiplusRenderer& renderer) {
  const HDC dc = CreatePrinterContext();
  if (!dc) throw std::runtime_error("Printing failed: the printer could not be opened.");
  PrinterDocument document(dc);
  const int pageWidth = GetDeviceCaps(dc, HORZRES), pageHeight = GetDeviceCaps(dc, VERTRES);
  const int dotsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
  const std::optional<PrintedPlotBox> box = FitPlotOnPage(pageWidth, pageHeight, renderer.Width(), renderer.Height());
  if (!box || dotsPerInch <= 0) throw std::runtime_error("Printing failed: the plot has no area to print.");

  document.Start(String::FromUtf8(Title()));
  const HENHMETAFILE metafile = renderer.DetachMetafile();
  const RECT place{box->left, box->top, box->left + box->width, box->top + box->height};
  PlayEnhMetaFile(dc, metafile, &place);
  DeleteEnhMetaFile(metafile);
  {
    Gdiplus::Graphics graphics(dc);
    const std::string family = renderer.GetFontFamily();
    const auto titleFont = PageFont(family, 16, dotsPerInch);
    const auto footerFont = PageFont(family, 9, dotsPerInch);
    const Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentNear);
    const float W = float(pageWidth), H = float(pageHeight);

    const String title = String::FromUtf8(Title());
    const float titleX = float(int((W - TextWidth(graphics, title, *titleFont)) * 0.5f));
    graphics.DrawString(title.c_str(), -1, titleFont.get(), Gdiplus::RectF(titleX, H * 0.02f, 0, 0), &format, &black);

    format.SetLineAlignment(Gdiplus::StringAlignmentFar);
    const String printedOn = PrintedOnText();
    graphics.DrawString(printedOn.c_str(), -1, footerFont.get(), Gdiplus::RectF(W * 0.02f, H * 0.98f, 0, 0), &format,
                        &black);
    // Measured in the font it is drawn in, so that it ends at the margin.
    const String page = Format(String(u"Page %1 of %2"), 1, 1);
    const float pageX = float(int(W - TextWidth(graphics, page, *footerFont) - W * 0.02f));
    graphics.DrawString(page.c_str(), -1, footerFont.get(), Gdiplus::RectF(pageX, H * 0.98f, 0, 0), &format, &black);
  }
  document.Finish();
}

EtchPrintJob* CreateWinPrintJob(HWND owner, EtchProxyBase* plotModel, const std::string& plotId,
                                ISubject* subject, const std::string& title) {
  auto* job = new WinPrintJob(owner, title, plotId);
  job->AddRef();
  if (!job->IsCancelled()) job->Start(plotModel, subject);
  return job;
}

}  // namespace Quor
