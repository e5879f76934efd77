#include "views/options/plot_option_source.h"

#include "analysis/document/document.h"
#include "core/com_ptr.h"
#include "platform/pendrel/display_colours.h"

namespace Rhyth {

namespace {

Quor::ComPtr<IUnknown> DisplayObjectOf(IUnknown* dataDocument) {
  Quor::ComPtr<IPendrelDisplaySource> source;
  Quor::ComPtr<IUnknown> display;
  if (dataDocument) {
    dataDocument->QueryInterface(IPendrelDisplaySource::iid,
                                 Quor::ComPtrOut<IPendrelDisplaySource>::Bind(source));
  }
  if (source) source->GetDisplayObject(Quor::ComPtrOut<IUnknown>::Bind(display));
  return display;
}

BinnedSeries BinnedOf(const Histogram& histogram) {
  return {histogram.binWidth, histogram.origin};
}

}  // namespace

COLORREF HostChannelColour(IUnknown* dataDocument, DWORD channel, DWORD identity,
                           COLORREF fallback) {
  Quor::ComPtr<IUnknown> display = DisplayObjectOf(dataDocument);
  Quor::ComPtr<IPendrelDisplayColours> colours;
  if (display) {
    display->QueryInterface(IPendrelDisplayColours::iid,
                            Quor::ComPtrOut<IPendrelDisplayColours>::Bind(colours));
  }
  COLORREF colour = fallback;
  if (colours && FAILED(colours->GetChannelColour(channel, identity, &colour))) colour = fallback;
  return colour;
}

std::optional<COLORREF> HostGridColour(IUnknown* dataDocument) {
  Quor::ComPtr<IUnknown> display = DisplayObjectOf(dataDocument);
  Quor::ComPtr<IPendrelGridSettings> grid;
  if (display) {
    display->QueryInterface(IPendrelGridSettings::iid,
                            Quor::ComPtrOut<IPendrelGridSettings>::Bind(grid));
  }
  COLORREF colour = 0;
  if (!grid || grid->GetGridColour(0, &colour) != S_OK) return std::nullopt;
  return colour;
}

PlotOptionSource GatherPlotOptionSource(Document& document) {
  const Settings& settings = document.GetSettings();
  const AnalysisEngine& engine = document.Engine();
  const Spectrum& spectrum = engine.SpectrumResults();
  PlotOptionSource source;
  source.settings = &settings;
  source.busy = document.IsHostBusy();
  source.sourceColour = HostChannelColour(document.DataDocument(), settings.source.channelIndex,
                                          settings.source.channelWord);
  source.gridColour = HostGridColour(document.DataDocument());
  source.rrHistogram = BinnedOf(engine.TimeDomain().rrHistogram);
  source.deltaHistogram = BinnedOf(engine.TimeDomain().deltaHistogram);
  source.spectrum = {spectrum.df, spectrum.first};
  source.meanRR = engine.MeanRR();
  source.sd1 = engine.SD1();
  source.sd2 = engine.SD2();
  return source;
}

}  // namespace Rhyth
