// The headless GUI layer's two hot paths: a message sent to a window of another thread and
// answered there (the path every cross-thread call of the module takes), and the layout and
// drawing of a wrapped paragraph of text (what a comment popup or a report label draws).
#include <benchmark/benchmark.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>

#include "platform/win32/gdi.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/window.h"

namespace {

constexpr UINT kEcho = WM_APP + 1;

LRESULT EchoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kEcho) return LRESULT(wParam + 1);
  return DefWindowProcW(window, message, wParam, lParam);
}

void CrossThreadSendRoundTrip(benchmark::State& state) {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = EchoProcedure;
    windowClass.lpszClassName = u"EchoWindow";
    return RegisterClassExW(&windowClass) != 0;
  }();
  if (!registered) state.SkipWithError("window class not registered");
  std::promise<std::pair<HWND, DWORD>> made;
  std::thread pump([&] {
    const HWND window = CreateWindowExW(0, u"EchoWindow", u"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                        nullptr, nullptr, nullptr);
    made.set_value({window, GetCurrentThreadId()});
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0)) DispatchMessageW(&message);
    DestroyWindow(window);
  });
  const auto [window, threadId] = made.get_future().get();
  WPARAM value = 0;
  for (auto _ : state) {
    value = WPARAM(SendMessageW(window, kEcho, value, 0));
    benchmark::DoNotOptimize(value);
  }
  PostThreadMessageW(threadId, WM_QUIT, 0, 0);
  pump.join();
}
BENCHMARK(CrossThreadSendRoundTrip)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();

// A memory context with a 320 x 200 bitmap and the dialog font, for the paragraph benchmarks.
struct ParagraphCanvas {
  ParagraphCanvas() {
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
  }
  ~ParagraphCanvas() {
    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(font);
  }
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 320, 200);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"MS Shell Dlg 2");
};

std::u16string Paragraph(const std::u16string& word) {
  std::u16string paragraph;
  while (paragraph.size() < 400) paragraph += word;
  paragraph.resize(400);
  return paragraph;
}

// The same paragraph drawn again and again, as a window repaints it.
void DrawWrappedParagraph(benchmark::State& state) {
  ParagraphCanvas canvas;
  const std::u16string paragraph = Paragraph(u"rhythm ");
  for (auto _ : state) {
    RECT box{0, 0, 320, 200};
    benchmark::DoNotOptimize(DrawTextW(canvas.dc, paragraph.c_str(), 400, &box, DT_WORDBREAK | DT_NOPREFIX));
  }
}
BENCHMARK(DrawWrappedParagraph)->Repetitions(5)->ReportAggregatesOnly(true);

// A different paragraph each time, laid out afresh.
void DrawFreshParagraph(benchmark::State& state) {
  ParagraphCanvas canvas;
  std::u16string paragraph = Paragraph(u"rhythm ");
  char16_t mark = u'A';
  for (auto _ : state) {
    paragraph[0] = mark;
    mark = mark == u'Z' ? u'A' : char16_t(mark + 1);
    RECT box{0, 0, 320, 200};
    benchmark::DoNotOptimize(DrawTextW(canvas.dc, paragraph.c_str(), 400, &box, DT_WORDBREAK | DT_NOPREFIX));
  }
}
BENCHMARK(DrawFreshParagraph)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
