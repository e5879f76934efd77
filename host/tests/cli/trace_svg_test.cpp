// The trace picture and the beats CSV's mark columns as text: colours in #rrggbb order, tooltips
// escaped for XML and quoted for CSV where they need it, and a flat trace still drawn.
#include <gtest/gtest.h>

#include <vector>

#include "host/cli/beat_mark_table.h"
#include "host/cli/trace_svg.h"
#include "host/recording/csv_field.h"

namespace CliTest {
namespace {

using PendrelHost::EventMark;
using PendrelHost::TracePicture;

TEST(TraceSvg, DrawsEachMarkInItsColourWithItsTooltipEscaped) {
  const std::vector<float> samples{0.0f, 1.0f, 0.5f, 0.0f};
  TracePicture picture;
  picture.caption = "ECG & more";
  picture.unit = "mV";
  picture.start = 2.0;
  picture.period = 0.5;
  picture.samples = samples;
  picture.marks = {EventMark{0, 5, 2.5, 0x00AAFF, "Beat <1> & \"two\""}};
  const std::string svg = PendrelHost::TraceSvg(picture);
  EXPECT_NE(svg.find(">ECG &amp; more</text>"), std::string::npos);
  EXPECT_NE(svg.find("<title>Beat &lt;1&gt; &amp; &quot;two&quot;</title>"), std::string::npos);
  // Half a second after the start, at the top of the trace (the highest sample).
  EXPECT_NE(svg.find("<circle cx=\"120.00\" cy=\"40.00\" r=\"4.00\" fill=\"#ffaa00\"/>"),
            std::string::npos)
      << svg;
  EXPECT_NE(svg.find("points=\"70.00,280.00 120.00,40.00 170.00,160.00 220.00,280.00\""),
            std::string::npos);
  EXPECT_NE(svg.find(">1 mV</text>"), std::string::npos);

  // A flat trace has no range of its own: it is drawn across the middle.
  const std::vector<float> flat(4, 3.0f);
  picture.samples = flat;
  EXPECT_NE(PendrelHost::TraceSvg(picture).find("points=\"70.00,160.00 120.00,160.00"),
            std::string::npos);
}

TEST(BeatMarkColumns, ColoursAndFieldsAreWrittenAsCsvReadsThem) {
  EXPECT_EQ(PendrelHost::ColourHex(0x00AA00FF), "#ff00aa");
  EXPECT_EQ(PendrelHost::ColourHex(0xFF5000), "#0050ff");
  struct Case {
    const char* text;
    const char* field;
  } cases[] = {
      {"Rhyth Beat 1: RR = 812.5 ms; FF = 1.2 (Normal)", "Rhyth Beat 1: RR = 812.5 ms; FF = 1.2 (Normal)"},
      {"a,b", "\"a,b\""},
      {"say \"x\"", "\"say \"\"x\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PendrelHost::CsvField(c.text), c.field);
}

}  // namespace
}  // namespace CliTest
