// A one-pixel scroll of a full-screen trace display: a 1920 x 1000 data pane with four channel
// panes, each of three buffered layers whose drawers draw nothing, so that the figure is the
// pane's own cost of shifting its images and spans.
#include <benchmark/benchmark.h>

#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/drawers/drawer_base.h"

namespace {

class SilentDrawer final : public PendrelDraw::DrawerBase {
 public:
  explicit SilentDrawer(DWORD id) : DrawerBase(PendrelDraw::DrawerBaseInit(0x1000, 0, 0, id)) {}

  HRESULT GetCapabilities(DWORD, DWORD* flags, LONG* left, LONG* right, DWORD) override {
    if (flags) *flags = 0x60000000;
    if (left) *left = 0;
    if (right) *right = 0;
    return S_OK;
  }
  HRESULT SetTimeRange(LONG, DWORD, const double*, IUnknown*) override { return S_FALSE; }
  HRESULT Refresh(DWORD) override { return S_OK; }
  HRESULT Draw(HDC, const PendrelDraw::DrawSpan*, DWORD) override { return S_OK; }

 protected:
  DrawerBase* MakeCopy() const override { return new SilentDrawer(id); }
};

void OnePixelScroll(benchmark::State& state) {
  PendrelDraw::DataPane pane;
  pane.SetLaneCount(4);
  pane.SetPaneSize({1920, 1000});
  for (LONG lane = 0; lane < 4; ++lane) {
    for (DWORD id : {0x001u, 0x201u, 0x402u}) {
      pane.ChannelPaneAt(lane)->AddDrawer(0x80000000, new SilentDrawer(id), 255);
    }
  }
  pane.LayoutPanes();
  LONGLONG step = -1;
  for (auto _ : state) {
    pane.ScrollBy(step);
    step = -step;
  }
}
BENCHMARK(OnePixelScroll)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
