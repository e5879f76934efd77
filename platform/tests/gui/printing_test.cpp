#include "platform/win32/printing.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/tests/gui/drawing_test_support.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/hresult.h"

namespace {

using win32::testing::RunCommand;

bool HavePopplerTools() { return win32::testing::HaveTools({"pdfinfo", "pdftotext"}); }

class Printing : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::temp_directory_path() / ("rhyth-print-test-" + std::to_string(getpid()));
    win32::SetSpoolFolder(m_folder.string());
    win32::ClearShownPrintDialogs();
  }
  void TearDown() override {
    win32::ClearShownPrintDialogs();
    std::filesystem::remove_all(m_folder);
  }
  std::filesystem::path m_folder;
};

TEST_F(Printing, EachDocumentIsAPdfInTheSpoolFolderThatReadersAccept) {
  if (!HavePopplerTools()) GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
  HDC dc = CreateDCW(u"WINSPOOL", nullptr, nullptr, nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, TECHNOLOGY), DT_RASPRINTER);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 600);
  const DOCINFOW document{sizeof(DOCINFOW), u"RR report", nullptr, nullptr, 0};
  ASSERT_GT(StartDocW(dc, &document), 0);
  EXPECT_EQ(StartDocW(dc, &document), SP_ERROR) << "one document at a time";
  HFONT font = CreateFontW(-100, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"Arial");
  SelectObject(dc, font);
  for (const char16_t* text : {u"Heart rate variability", u"Second page"}) {
    StartPage(dc);
    Rectangle(dc, 300, 300, 2000, 1200);
    TextOutW(dc, 400, 600, text, int(std::char_traits<char16_t>::length(text)));
    EndPage(dc);
  }
  ASSERT_EQ(EndDoc(dc), 1);
  DeleteDC(dc);
  DeleteObject(font);
  const auto spooled = win32::SpooledDocuments();
  ASSERT_FALSE(spooled.empty());
  const std::string path = spooled.back();
  EXPECT_EQ(std::filesystem::path(path).parent_path(), m_folder);
  const std::string info = RunCommand("pdfinfo '" + path + "'");
  const auto pages = info.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << info;
  EXPECT_EQ(std::stoi(info.substr(pages + 6)), 2) << info;
  // A4 is 595 by 842 points; the page is a whole number of 600-dpi pixels.
  EXPECT_NE(info.find("595.32 x 841.92 pts (A4)"), std::string::npos) << info;
  const std::string text = RunCommand("pdftotext '" + path + "' -");
  EXPECT_NE(text.find("Heart rate variability"), std::string::npos) << text;
  EXPECT_NE(text.find("Second page"), std::string::npos) << text;
}

TEST_F(Printing, ThePrintDialogIsAnsweredByScriptAndCancelledWithout) {
  PRINTDLGEXW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDC;
  dialog.dwResultAction = 99;
  ASSERT_EQ(PrintDlgExW(&dialog), S_OK);
  EXPECT_EQ(dialog.dwResultAction, PD_RESULT_CANCEL);
  EXPECT_EQ(dialog.hDC, nullptr);
  win32::QueuePrintDialogAnswer(PD_RESULT_PRINT);
  ASSERT_EQ(PrintDlgExW(&dialog), S_OK);
  EXPECT_EQ(dialog.dwResultAction, PD_RESULT_PRINT);
  ASSERT_NE(dialog.hDC, nullptr);
  EXPECT_EQ(GetDeviceCaps(dialog.hDC, TECHNOLOGY), DT_RASPRINTER);
  DeleteDC(dialog.hDC);
  // The chosen printer's settings name the printer CreateDCW knows.
  const auto* names = static_cast<const DEVNAMES*>(GlobalLock(dialog.hDevNames));
  ASSERT_NE(names, nullptr);
  const auto* text = reinterpret_cast<const WCHAR*>(names);
  EXPECT_EQ(std::u16string(text + names->wDeviceOffset), win32::CurrentPrinter().name);
  const HDC named = CreateDCW(text + names->wDriverOffset, text + names->wDeviceOffset,
                              text + names->wOutputOffset, nullptr);
  EXPECT_NE(named, nullptr);
  DeleteDC(named);
  GlobalUnlock(dialog.hDevNames);
  const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(dialog.hDevMode));
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->dmCopies, 1);
  EXPECT_EQ(mode->dmPrintQuality, 600);
  GlobalUnlock(dialog.hDevMode);
  GlobalFree(dialog.hDevMode);
  GlobalFree(dialog.hDevNames);
  const auto shown = win32::ShownPrintDialogs();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].answer, PD_RESULT_CANCEL);
  EXPECT_EQ(shown[1].answer, PD_RESULT_PRINT);
  EXPECT_EQ(shown[1].flags, PD_RETURNDC);
  EXPECT_EQ(CreateDCW(nullptr, u"No Such Printer", nullptr, nullptr), nullptr);
}

TEST_F(Printing, AStepThatFailsLeavesTheDocumentOpenForAnAbort) {
  for (const auto step : {win32::PrintStep::StartDoc, win32::PrintStep::StartPage, win32::PrintStep::EndPage,
                          win32::PrintStep::EndDoc}) {
    SCOPED_TRACE(int(step));
    HDC dc = CreateDCW(u"WINSPOOL", nullptr, nullptr, nullptr);
    const DOCINFOW document{sizeof(DOCINFOW), u"failing", nullptr, nullptr, 0};
    win32::FailNextPrintStepForTesting(step);
    const int started = StartDocW(dc, &document);
    const bool pageStarted = started > 0 && StartPage(dc) > 0;
    const bool pageEnded = pageStarted && EndPage(dc) > 0;
    const bool ended = pageEnded && EndDoc(dc) > 0;
    EXPECT_FALSE(ended);
    if (started > 0 && !ended) {
      EXPECT_EQ(AbortDoc(dc), 1);
    }
    DeleteDC(dc);
  }
  EXPECT_TRUE(!std::filesystem::exists(m_folder) || std::filesystem::is_empty(m_folder)) << "no partial PDF";
}

}  // namespace
