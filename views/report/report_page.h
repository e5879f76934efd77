// The report's page: the template filled with the figures of the current analysis, or one of
// the message texts shown in place of a report (not analysed, too few beats, no template or a
// template that does not fit). Every figure is the analysis engine's own, as the measurements
// and the plots read it; this only writes it. Built anew on every change of the analysis.
#pragma once

#include <boost/format/format_fwd.hpp>

#include "analysis/engine/analysis_engine.h"
#include "analysis/settings/settings.h"
#include "core/quor_string.h"

namespace Rhyth {

// The texts the host gives for the report, as the host wrote them (not yet escaped).
struct ReportHostTexts {
  Quor::String name;       // the document's name
  Quor::String startText;  // the time of the region's start
  Quor::String endText;    // the time of the region's end
};

class ReportPage {
 public:
  // The page for the analysis; `hostTexts` is asked for only when a report is shown.
  template <class HostTexts>
  static Quor::String Build(const Quor::String& reportTemplate, const Settings& settings,
                            const AnalysisEngine& engine, HostTexts&& hostTexts) {
    if (const UINT message = MessageFor(reportTemplate, settings, engine)) {
      return MessageText(message);
    }
    return Fill(reportTemplate, settings, engine, hostTexts());
  }

  // Each feeds its places of the template, in order.
  static void FeedTitle(boost::format& page, const ReportHostTexts& texts);
  static void FeedGeneral(boost::format& page, const Settings& settings,
                          const AnalysisEngine& engine, const ReportHostTexts& texts);
  static void FeedTimeDomain(boost::format& page, const Settings& settings,
                             const AnalysisEngine& engine);
  static void FeedFrequencyDomain(boost::format& page, const AnalysisEngine& engine,
                                  const SpectrumParams& bands);
  static void FeedNonlinear(boost::format& page, const AnalysisEngine& engine);

 private:
  // The string id of the text shown in place of a report; 0 when there is a report to show.
  static UINT MessageFor(const Quor::String& reportTemplate, const Settings& settings,
                         const AnalysisEngine& engine);
  static Quor::String MessageText(UINT id);
  // A template that does not fit the figures gives a message page that says why.
  static Quor::String Fill(const Quor::String& reportTemplate, const Settings& settings,
                           const AnalysisEngine& engine, const ReportHostTexts& texts);
};

}  // namespace Rhyth
