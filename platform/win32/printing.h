// Printing: one configured printer, whose device context draws each document into a PDF file in
// a spool folder that the run names (by default a folder under the system's temporary folder).
// The print dialog is answered by a scripted answerer and recorded, like message boxes: without
// a queued answer it is cancelled.
#pragma once

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

// The print dialog's subset: the owner, flags, the printer context it returns (with
// PD_RETURNDC) and what the person chose.
constexpr DWORD PD_RETURNDC = 0x00000100;
constexpr DWORD PD_RESULT_CANCEL = 0;
constexpr DWORD PD_RESULT_PRINT = 1;
constexpr DWORD PD_RESULT_APPLY = 2;
struct PRINTDLGEXW {
  DWORD lStructSize;
  HWND hwndOwner;
  HDC hDC;
  DWORD Flags;
  DWORD dwResultAction;
};
HRESULT PrintDlgExW(PRINTDLGEXW* dialog);

namespace win32 {

struct PrinterDescription {
  std::u16string name = u"Rhyth PDF Printer";
  int dotsPerInch = 600;
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
std::vector<ShownPrintDialog> ShownPrintDialogs();
void ClearShownPrintDialogs();

}  // namespace win32
