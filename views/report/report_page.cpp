#include "views/report/report_page.h"

#include <boost/format.hpp>
#include <cmath>
#include <limits>
#include <optional>

#include "analysis/engine/hrv_spectrum.h"
#include "analysis/measurements/measurements.h"
#include "analysis/module_strings.h"
#include "views/report/eng_value.h"
#include "views/report/html_text.h"

namespace Rhyth {

namespace {

constexpr UINT kNotAnalysedText = 13;
constexpr UINT kTooFewBeatsText = 12;
constexpr UINT kNoTemplateText = 1007;
constexpr UINT kTemplateMismatchText = 1008;
// A report needs three RR intervals.
constexpr DWORD kFewestIntervals = 3;

constexpr wchar_t kSeconds[] = L"s";
constexpr wchar_t kBeatsPerMinute[] = L"BPM";
constexpr wchar_t kPercent[] = L"%";
constexpr wchar_t kHertz[] = L"Hz";
constexpr wchar_t kNoUnit[] = L"";
// Powers show as square milliseconds: the prefix of s², applied twice.
constexpr int32_t kPowerExponent = -6;
constexpr int32_t kPowerHeaderExponent = -3;

std::string Utf8(const std::wstring& text) {
  std::u16string units;
  for (wchar_t c : text) units += char16_t(c);  // the module's units all lie in the BMP
  return Quor::String(units).ToUtf8String();
}

// Four significant digits at the prefix the value calls for.
std::string T(double value, const wchar_t* unit) {
  std::wstring text;
  EngValue(value, unit).ToText(text, L"");
  return Utf8(text);
}

// Four significant digits at no prefix, with the unit.
std::string F0(double value, const wchar_t* unit) {
  std::wstring text;
  EngValue(value, unit).Format(text, 0, 4, false, L"");
  return Utf8(text);
}

// A power in s² as its number of ms², without a unit.
std::string P(double value) {
  std::wstring text;
  EngValue(value, kNoUnit).Format(text, kPowerExponent, 4, false, L"");
  return Utf8(text);
}

// A share the measurements leave empty (no power to share) reads "n/a".
double OrNotANumber(std::optional<double> value) {
  return value.value_or(std::numeric_limits<double>::quiet_NaN());
}

std::string Escaped(const Quor::String& text) { return EscapeHtml(text.ToUtf8String()); }

}  // namespace

UINT ReportPage::MessageFor(const Quor::String& reportTemplate, const Settings& settings,
                            const AnalysisEngine& engine) {
  if (!settings.analysis.region.IsSet()) return kNotAnalysedText;
  if (engine.RRIntervals().GetCount() < kFewestIntervals) return kTooFewBeatsText;
  if (reportTemplate.IsEmpty()) return kNoTemplateText;
  return 0;
}

Quor::String ReportPage::MessageText(UINT id) { return ModuleString(id); }

Quor::String ReportPage::Fill(const Quor::String& reportTemplate, const Settings& settings,
                              const AnalysisEngine& engine, const ReportHostTexts& texts) {
  try {
    boost::format page(reportTemplate.ToUtf8String());
    FeedTitle(page, texts);
    FeedGeneral(page, settings, engine, texts);
    FeedTimeDomain(page, settings, engine);
    FeedFrequencyDomain(page, engine, settings.spectrum);
    FeedNonlinear(page, engine);
    return Quor::String(page.str());
  } catch (const std::exception& e) {
    std::u16string message(ModuleString(kTemplateMismatchText).c_str());
    const std::size_t place = message.find(u"%1");
    const Quor::String why(EscapeHtml(e.what()));
    if (place != std::u16string::npos) message.replace(place, 2, why.c_str());
    return Quor::String(message);
  }
}

void ReportPage::FeedTitle(boost::format& page, const ReportHostTexts& texts) {
  page % Escaped(texts.name);
}

void ReportPage::FeedGeneral(boost::format& page, const Settings& settings,
                             const AnalysisEngine& engine, const ReportHostTexts& texts) {
  const AnalysisRegion& region = settings.analysis.region;
  page % (int64_t(region.startRecord) + 1) % Escaped(texts.startText)
       % (int64_t(region.endRecord) + 1) % Escaped(texts.endText);
  page % (uint64_t(engine.NormalCount()) + engine.EctopicCount()) % engine.NormalCount()
       % engine.EctopicCount();
}

void ReportPage::FeedTimeDomain(boost::format& page, const Settings& settings,
                                const AnalysisEngine& engine) {
  const TimeDomainStatistics& statistics = engine.TimeDomain();
  page % T(statistics.MeanRR(), kSeconds) % T(statistics.medianRR, kSeconds)
       % T(statistics.SDRR(), kSeconds) % T(engine.Segments().SDARR(), kSeconds)
       % T(statistics.CVRR(), kNoUnit);
  page % F0(statistics.MeanRate(), kBeatsPerMinute) % F0(statistics.SDRate(), kBeatsPerMinute);
  page % T(statistics.SDSD(), kSeconds) % T(statistics.RMSSD(), kSeconds);
  page % T(settings.analysis.prrxThreshold * 1000, kNoUnit) % F0(statistics.PRRx(), kPercent);
}

void ReportPage::FeedFrequencyDomain(boost::format& page, const AnalysisEngine& engine,
                                     const SpectrumParams& bands) {
  page % F0(bands.vlfLow, kNoUnit) % F0(bands.vlfHigh, kHertz) % F0(bands.lfLow, kNoUnit)
       % F0(bands.lfHigh, kHertz) % F0(bands.hfLow, kNoUnit) % F0(bands.hfHigh, kHertz);
  page % AnalysisEngine::FormatWithSIPrefix(kPowerHeaderExponent, kPowerUnitText).ToUtf8String();
  const Spectrum& s = engine.SpectrumResults();
  const double shared = s.total - s.vlf;
  page % P(s.total);
  page % P(s.vlf) % T(OrNotANumber(PercentOf(s.vlf, s.total)), kNoUnit);
  page % P(s.lf) % T(OrNotANumber(PercentOf(s.lf, s.total)), kNoUnit)
       % T(OrNotANumber(PercentOf(s.lf, shared)), kNoUnit);
  page % P(s.hf) % T(OrNotANumber(PercentOf(s.hf, s.total)), kNoUnit)
       % T(OrNotANumber(PercentOf(s.hf, shared)), kNoUnit);
  page % F0(OrNotANumber(RatioOf(s.lf, s.hf)), kNoUnit);
}

void ReportPage::FeedNonlinear(boost::format& page, const AnalysisEngine& engine) {
  page % T(engine.SD1(), kSeconds) % T(engine.SD2(), kSeconds);
}

}  // namespace Rhyth
