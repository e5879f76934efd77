#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "plotengine/local_page.h"
#include "plotengine/scripts/embedded_scripts.h"
#include "plotengine/scripts/script_sets.h"
#include "plotengine_test_support.h"

namespace {

using namespace Quor;

const std::vector<std::string> kTableOrder = {
    "bar.js",        "box.js",           "button.js",        "canvas_layer.js", "check_props.js",
    "cursor.js",     "drag_scale.js",    "drag_scroller.js", "draw.js",         "ellipse.js",
    "event_dispatcher.js", "fractal.js", "graticule.js",     "histogram.js",    "jquery.js",
    "legend.js",     "main.js",          "pix_data.js",      "plot.js",         "remote.js",
    "scaling.js",    "scatter.js",       "setup.js",         "styles.js",       "svg_layer.js",
    "text_layer.js", "text_region.js",   "tplot.js",         "types.js",        "utility.js",
    "vlines.js",     "zoom.js"};

TEST(ScriptTable, HoldsTheScriptsInNameOrderInShortChunks) {
  std::vector<std::string> names;
  ListEmbeddedScripts(names);
  EXPECT_EQ(names, kTableOrder);
  for (const std::string& name : names) {
    const EmbeddedScript* script = FindEmbeddedScript(name);
    ASSERT_NE(script, nullptr) << name;
    std::vector<std::size_t> lengths;
    const std::size_t total = GetScriptChunkLengths(*script, lengths);
    EXPECT_GT(total, 0u) << name;
    EXPECT_LE(lengths.size(), kMaxScriptChunks) << name;
    for (std::size_t length : lengths) EXPECT_LE(length, 1600u) << name;
    if (name == "jquery.js") {
      EXPECT_GT(lengths.size(), 100u);
    }
  }
  EXPECT_EQ(FindEmbeddedScript("Main.js"), nullptr);
  EXPECT_EQ(FindEmbeddedScript("main.js "), nullptr);
  EXPECT_EQ(FindEmbeddedScript("main"), nullptr);
}

TEST(ScriptTable, AppendsAScriptWithCrLf) {
  std::string expected = "x";
  expected += ScriptSource("bar.js") + "\r\n";
  std::string buffer = "x";
  ASSERT_TRUE(AppendEmbeddedScript("bar.js", buffer));
  EXPECT_EQ(buffer, expected);
  EXPECT_FALSE(AppendEmbeddedScript("absent.js", buffer));
  EXPECT_EQ(buffer, expected);
}

TEST(ScriptSets, ReadSetNamesAndMimeTypes) {
  const struct {
    const char* name;
    bool set;
    unsigned flags;
    bool servable;
    const char* mime;
  } cases[] = {
      {"etch_local.js", true, 1, true, "text/javascript"},
      {"etch.js", true, 3, true, "text/javascript"},
      {"etch_no_jquery.js", true, 2, true, "text/javascript"},
      {"etch_not_local.js", true, 3, true, "text/javascript"},
      {"etch_no_no_local.js", true, 3, true, "text/javascript"},  // the second "no" keeps it
      {"etch_remote_no_remote.js", true, 1, true, "text/javascript"},
      {"etch_no_other_jquery.js", true, 3, true, "text/javascript"},  // other words clear it
      {"etch__local_.js", true, 1, true, "text/javascript"},
      {".js", true, 3, true, "text/javascript"},
      {"_.js", true, 3, true, "text/javascript"},
      {"Etch_Local.JS", true, 1, true, ""},  // a set, but no MIME type
      {"local_etch.js", false, 3, false, "text/javascript"},
      {"etch.js.map", false, 3, false, ""},
      {"etch.html", false, 3, false, "text/html"},
      {"etch", false, 3, false, ""},
      {"main.js", false, 3, true, "text/javascript"},
      {"Main.js", false, 3, false, "text/javascript"},
  };
  for (const auto& c : cases) {
    unsigned flags = 99;
    EXPECT_EQ(ParseScriptSetName(c.name, flags), c.set) << c.name;
    EXPECT_EQ(flags, c.flags) << c.name;
    EXPECT_EQ(IsServableScriptName(c.name), c.servable) << c.name;
    std::string mime = "stale";
    EXPECT_EQ(GetMimeTypeForName(c.name, mime), *c.mime != '\0') << c.name;
    if (*c.mime) {
      EXPECT_EQ(mime, c.mime) << c.name;
    }
  }
}

// The set's scripts as the source files hold them (jQuery as the table holds it).
std::string ExpectedSet(bool jquery, bool remote) {
  std::string expected;
  std::string jqueryText;
  AppendEmbeddedScript("jquery.js", jqueryText);
  if (jquery) expected += jqueryText;
  expected += ScriptSource("main.js") + "\r\n";
  if (remote) expected += ScriptSource("remote.js") + "\r\n";
  for (const std::string& name : kTableOrder) {
    if (name != "jquery.js" && name != "main.js" && name != "remote.js") {
      expected += ScriptSource(name) + "\r\n";
    }
  }
  return expected;
}

TEST(ScriptSets, AssembleJQueryMainRemoteThenTheRestInTableOrder) {
  for (unsigned flags = 0; flags < 4; ++flags) {
    std::string buffer = "stale";
    ASSERT_TRUE(AssembleScriptSet(flags, buffer));
    EXPECT_EQ(buffer, ExpectedSet(flags & kScriptJQuery, flags & kScriptRemote)) << flags;
  }
  std::string local;
  AssembleScriptSet(kScriptJQuery, local);
  EXPECT_EQ(local.rfind("/*!\n * jQuery JavaScript Library v1.6.2\n", 0), 0u);
}

TEST(LocalPage, InlinesTheLocalSetOnceForEveryThread) {
  std::string scripts;
  AssembleScriptSet(kScriptJQuery, scripts);
  const std::string expected =
      "<!doctype html><html> <head>  <script type='text/javascript'>" + scripts +
      "  </script>  <style type=\"text/css\">   body { margin: 0px; padding: 0px; }   div { "
      "position: absolute; width: 100%; height: 100%; }  </style> </head> <body>  <div "
      "id=\"local\">  </div> </body></html>";
  std::vector<std::string> pages(8);
  std::vector<std::thread> threads;
  for (std::string& page : pages) threads.emplace_back([&page] { page = BuildLocalPage(); });
  for (std::thread& thread : threads) thread.join();
  for (const std::string& page : pages) EXPECT_EQ(page, expected);
}

}  // namespace
