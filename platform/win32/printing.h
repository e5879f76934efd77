// Printing: one configured printer, whose device context draws each document into a PDF file in
// a spool folder that the run names (by default a folder under the system's temporary folder).
// The print dialog is answered by a scripted answerer and recorded, like message boxes: without
// a queued answer it is cancelled.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/gdi.h"

struct DOCINFOW {
  int cbSize;
  LPCWSTR lpszDocName;
  LPCWSTR lpszOutput;
  LPCWSTR lpszDatatype;
  DWORD fwType;
};

// "DISPLAY" gives a screen context; the configured printer's name (or a null device with the
// "WINSPOOL" driver) a printer context; anything else fails.
HDC CreateDCW(LPCWSTR driver, LPCWSTR device, LPCWSTR port, const void* mode);
// Starts a PDF in the spool folder; returns the job number (above 0), or 0 (SP_ERROR) when the
// context is no printer's, a document is already open, or the file cannot be made.
int StartDocW(HDC dc, const DOCINFOW* document);
int StartPage(HDC dc);
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
constexpr int SP_ERROR = -1;

// The printer settings a print dialog hands back: a DEVMODEW block (the subset below) and a
// DEVNAMES block whose offsets count characters from the block's start to three terminated names.
constexpr DWORD DM_COPIES = 0x00000100;
constexpr DWORD DM_PRINTQUALITY = 0x00000400;
constexpr short DMRES_DRAFT = -1;
constexpr short DMRES_LOW = -2;
constexpr short DMRES_MEDIUM = -3;
constexpr short DMRES_HIGH = -4;
struct DEVMODEW {
  WCHAR dmDeviceName[32];
  WORD dmSize;
  DWORD dmFields;
  short dmCopies;
  // Dots per inch, or one of the negative DMRES_ codes.
  short dmPrintQuality;
};
struct DEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;
  WORD wDefault;
};

// The print dialog's subset: the owner, flags, the printer context it returns (with
// PD_RETURNDC), what the person chose, and the chosen printer's settings (two movable global
// blocks made by the dialog when it prints, which the caller frees).
constexpr DWORD PD_SELECTION = 0x00000001;
constexpr DWORD PD_PAGENUMS = 0x00000002;
constexpr DWORD PD_NOSELECTION = 0x00000004;
constexpr DWORD PD_NOPAGENUMS = 0x00000008;
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_USEDEVMODECOPIESANDCOLLATE = 0x00040000;
constexpr DWORD PD_NOCURRENTPAGE = 0x00800000;
constexpr DWORD START_PAGE_GENERAL = 0xFFFFFFFF;
constexpr DWORD PD_RESULT_CANCEL = 0;
constexpr DWORD PD_RESULT_PRINT = 1;
constexpr DWORD PD_RESULT_APPLY = 2;
struct PRINTDLGEXW {
  DWORD lStructSize;
  HWND hwndOwner;
  HDC hDC;
  DWORD Flags;
  DWORD dwResultAction;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  DWORD nCopies;
  DWORD nStartPage;
};
HRESULT PrintDlgExW(PRINTDLGEXW* dialog);

namespace win32 {

struct PrinterDescription {
  std::u16string name = u"Rhyth PDF Printer";
  int dotsPerInch = 600;
  // What the printer's settings state as its quality: its resolution, unless a test gives a
  // DMRES_ code or nonsense.
  std::optional<short> printQuality;
  int paperWidthMm100 = 21000;  // A4, in 0.01 mm
  int paperHeightMm100 = 29700;
};
void SetPrinterForTesting(const PrinterDescription& printer);
PrinterDescription CurrentPrinter();

// The folder that documents are spooled to, made when the first document starts.
void SetSpoolFolder(const std::string& folder);
std::string SpoolFolder();
// The files of the documents finished so far, oldest first.
std::vector<std::string> SpooledDocuments();
// A document made without a printer context (a page the browser prints): the file of a new job
// in the spool folder (empty when the folder cannot be made), listed once it is written.
std::string NewSpoolDocumentPath(const std::u16string& documentName);
void AddSpooledDocument(const std::string& path);

struct ShownPrintDialog {
  HWND owner;
  DWORD flags;
  DWORD answer;
};
void QueuePrintDialogAnswer(DWORD resultAction);
// The next call of that step (StartDocW, StartPage, EndPage or EndDoc) fails with SP_ERROR, as
// a printer that goes away or runs out of spool space would make it.
enum class PrintStep { StartDoc, StartPage, EndPage, EndDoc };
void FailNextPrintStepForTesting(PrintStep step);
std::vector<ShownPrintDialog> ShownPrintDialogs();
void ClearShownPrintDialogs();

}  // namespace win32
