#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/quor_string.h"
#include "plotengine/browser_etch_loader.h"
#include "plotengine/etch_file_stream.h"
#include "plotengine/html_loader.h"
#include "plotengine/html_string_reader.h"
#include "plotengine/local_page.h"
#include "plotengine/scripts/script_sets.h"
#include "plotengine_test_support.h"
#include "platform/win32/resources.h"

HMODULE PlotEngineTestHostResources();

namespace {

using Quor::String;

// Takes over a reference: released when the holder goes.
template <class I>
struct Held {
  I* p = nullptr;
  ~Held() {
    if (p) p->Release();
  }
  I** Out() { return &p; }
  I* operator->() const { return p; }
};

std::string ReadAll(IQuorStreamReader* stream) {
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (stream->Read(chunk, 1, sizeof chunk, &got) == S_OK && got) bytes.append(chunk, got);
  return bytes;
}

struct Loaded {
  HRESULT hr;
  std::string mime;
  std::string bytes;
  bool stream;
};

Loaded Load(IQuorBrowserResourceLoader* loader, const String& url) {
  Held<IQuorString> text;
  *text.Out() = url.GetInterface();
  Held<IAutoQuorString> mime;
  Held<IQuorStreamReader> stream;
  Loaded loaded{loader->Load(text.p, mime.Out(), stream.Out()), "", "", stream.p != nullptr};
  if (mime.p) loaded.mime = String(mime.p).ToUtf8String();
  if (stream.p) loaded.bytes = ReadAll(stream.p);
  return loaded;
}

template <class Loader, class... Args>
Held<Loader> Make(Args&&... args) {
  Held<Loader> loader;
  loader.p = new Loader(std::forward<Args>(args)...);
  loader.p->AddRef();
  return loader;
}

String Plot(const char* name) {
  String url(Quor::kEtchPlotPrefix);
  url += String(std::string(name));
  return url;
}

class PlotLoader : public testing::Test {
 protected:
  void SetUp() override { win32::SetExecutableModule(PlotEngineTestHostResources()); }
  void TearDown() override { win32::SetExecutableModule(nullptr); }
};

TEST_F(PlotLoader, ServesThePageScriptsAndSets) {
  auto loader = Make<Quor::BrowserEtchLoader>();
  std::string set;
  Quor::AssembleScriptSet(Quor::kScriptJQuery, set);
  const struct {
    const char* name;
    std::string mime;
    std::string bytes;
  } cases[] = {
      {"local.html", "text/html", Quor::BuildLocalPage()},
      {"local.html#top", "text/html", Quor::BuildLocalPage()},
      {"etch_local.js", "text/javascript", set},
      {"etch_local.js#x#y", "text/javascript", set},
      {"main.js", "text/javascript", ScriptSource("main.js") + "\r\n"},
  };
  for (const auto& c : cases) {
    const Loaded loaded = Load(loader.p, Plot(c.name));
    EXPECT_EQ(loaded.hr, S_OK) << c.name;
    EXPECT_EQ(loaded.mime, c.mime) << c.name;
    EXPECT_EQ(loaded.bytes, c.bytes) << c.name;
  }
}

TEST_F(PlotLoader, ServesTheHostsImagesWithTheirTypes) {
  auto loader = Make<Quor::BrowserEtchLoader>();
  const char* cursors[] = {"cursor_down_stretch_r.cur", "cursor_l_stretch_t.cur",
                           "cursor_lr_move_t.cur",      "cursor_r_stretch_t.cur",
                           "cursor_up_down_move_r.cur", "cursor_up_stretch_r.cur",
                           "cursor_all_stretch_t.cur",  "cursor_all_stretch_r.cur"};
  const Loaded throbber = Load(loader.p, Plot("throbber.gif"));
  EXPECT_EQ(throbber.hr, S_OK);
  EXPECT_EQ(throbber.mime, "image/gif");
  EXPECT_EQ(throbber.bytes, HostResourceFile("throbber.gif"));
  for (const char* cursor : cursors) {
    const Loaded loaded = Load(loader.p, Plot(cursor));
    EXPECT_EQ(loaded.hr, S_OK) << cursor;
    EXPECT_EQ(loaded.mime, "application/octet-stream") << cursor;
    EXPECT_EQ(loaded.bytes, HostResourceFile(cursor)) << cursor;
  }
  EXPECT_EQ(Load(loader.p, Plot("Throbber.gif")).hr, E_FAIL);  // names compare exactly

  // Without the host's images the reader reports its own failure when read.
  win32::SetExecutableModule(nullptr);
  Held<IQuorString> url;
  *url.Out() = Plot("throbber.gif").GetInterface();
  Held<IAutoQuorString> mime;
  Held<IQuorStreamReader> stream;
  ASSERT_EQ(loader->Load(url.p, mime.Out(), stream.Out()), S_OK);
  char c;
  DWORD got = 0;
  EXPECT_EQ(stream->Read(&c, 1, 1, &got), E_FAIL);
}

TEST_F(PlotLoader, RefusesWhatItDoesNotServe) {
  auto loader = Make<Quor::BrowserEtchLoader>();
  const String refused[] = {
      String(u"HTTP://ETCH-PLOT.INVALID/local.html"),  // the prefix differs in case
      String(u"http://etch-html.invalid/local.html"),
      String(u"local.html"),
      Plot("Etch_Local.JS"),       // a set name without a MIME type
      Plot("local_etch.js"),       // neither a set nor a script
      Plot("etch_local.js?v=2"),   // the query stays part of the name
      Plot("main.js.map"),
      Plot("Local.html"),
      Plot(""),
  };
  for (const String& url : refused) {
    const Loaded loaded = Load(loader.p, url);
    EXPECT_EQ(loaded.hr, E_FAIL) << url.ToUtf8String();
    EXPECT_FALSE(loaded.stream) << url.ToUtf8String();
  }
  Held<IQuorString> url;
  *url.Out() = Plot("main.js").GetInterface();
  Held<IAutoQuorString> mime;
  Held<IQuorStreamReader> stream;
  EXPECT_EQ(loader->Load(nullptr, mime.Out(), stream.Out()), E_INVALIDARG);
  EXPECT_EQ(loader->Load(url.p, nullptr, stream.Out()), E_INVALIDARG);
  EXPECT_EQ(loader->Load(url.p, mime.Out(), nullptr), E_INVALIDARG);
}

// A loader that records the URL it is asked for.
class RecordingLoader : public Quor::BrowserLoaderBase {
 public:
  explicit RecordingLoader(const String& prefix) : BrowserLoaderBase(prefix) {}
  std::vector<std::string> names;

 protected:
  bool LoadResource(const String& url, String& mime, IQuorStreamReader** stream) override {
    String name;
    if (!GetResourceName(url, name)) return false;
    names.push_back(name.ToUtf8String());
    auto* reader = new Quor::HtmlStringReader(name);
    reader->AddRef();
    *stream = reader;
    mime = u"text/plain";
    return true;
  }
};

TEST(BrowserLoader, CutsTheFragmentAndReadsOnlyEscapedBlanks) {
  auto loader = Make<RecordingLoader>(String(u"HTTP://Host/"));
  const char* urls[] = {"http://host/a%20b#c%20d", "http://host/a%20%20b", "http://host/%2",
                        "http://host/x?q=%41%20", "http://host/%2520", "http://host/#"};
  for (const char* url : urls) EXPECT_EQ(Load(loader.p, String(std::string(url))).hr, S_OK);
  EXPECT_EQ(loader->names, (std::vector<std::string>{"a b", "a  b", "%2", "x?q=%41 ", "%2520",
                                                     ""}));
  EXPECT_EQ(Load(loader.p, String(u"HTTP://Host/a")).hr, E_FAIL);

  auto any = Make<RecordingLoader>(String(u""));
  EXPECT_EQ(Load(any.p, String(u"whatever:x")).bytes, "whatever:x");
}

TEST(HtmlLoader, EveryRequestReadsTheWholeTextFromItsStart) {
  const String html(u"<p>caf\u00e9</p>");
  auto loader = Make<Quor::HtmlLoader>(html);
  const String url(Quor::kEtchHtmlPrefix);
  for (int request = 0; request < 3; ++request) {
    const Loaded loaded = Load(loader.p, url);
    EXPECT_EQ(loaded.hr, S_OK);
    EXPECT_EQ(loaded.mime, "text/html");
    EXPECT_EQ(loaded.bytes, "<p>caf\xC3\xA9</p>");
  }
  String withFragment = url;
  withFragment += u"#top";
  EXPECT_EQ(Load(loader.p, withFragment).hr, S_OK);
  for (const char16_t* other : {u"http://etch-html.invalid/x", u"http://etch-html.invalid",
                                u"HTTP://ETCH-HTML.INVALID/", u"http://etch-plot.invalid/"}) {
    EXPECT_EQ(Load(loader.p, String(other)).hr, E_FAIL);
  }
}

TEST(StreamReaders, ReadSeekAndTellTheEndLikeEveryReader) {
  std::string mime;
  auto* file = new Quor::EtchFileStream("bar.js", mime);
  file->AddRef();
  const std::string bytes = ScriptSource("bar.js") + "\r\n";
  const DWORD size = static_cast<DWORD>(bytes.size());
  ASSERT_EQ(file->Data(), bytes);
  std::string buffer(size + 10, '\0');
  DWORD got = 0;
  DWORD position = 0;
  EXPECT_EQ(file->IsEnd(), S_FALSE);
  EXPECT_EQ(file->Read(buffer.data(), 1, size - 5, &got), S_OK);
  EXPECT_EQ(got, size - 5);
  EXPECT_EQ(file->Read(buffer.data(), 2, 5, &got), S_OK);  // element size x count bytes
  EXPECT_EQ(got, 5u);
  EXPECT_EQ(file->IsEnd(), S_OK);
  EXPECT_EQ(file->Read(buffer.data(), 1, 10, &got), S_OK);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(file->IsEnd(), S_OK);
  // A seek before the end clears it and reads again.
  EXPECT_EQ(file->Seek(-3, kQuorSeekEnd), S_OK);
  EXPECT_EQ(file->IsEnd(), S_FALSE);
  EXPECT_EQ(file->Read(buffer.data(), 1, 10, &got), S_OK);
  EXPECT_EQ(std::string(buffer.data(), got), bytes.substr(size - 3));
  const struct {
    LONG offset;
    DWORD origin;
    DWORD position;
  } seeks[] = {{2, kQuorSeekStart, 2},   {3, kQuorSeekCurrent, 5},  {-100, kQuorSeekCurrent, 0},
               {LONG(size) + 1000, kQuorSeekStart, size}, {-1, kQuorSeekEnd, size - 1}};
  for (const auto& s : seeks) {
    EXPECT_EQ(file->Seek(s.offset, s.origin), S_OK);
    EXPECT_EQ(file->GetPosition(&position), S_OK);
    EXPECT_EQ(position, s.position) << s.offset << " from " << s.origin;
  }
  EXPECT_EQ(file->Seek(0, 3), E_INVALIDARG);
  EXPECT_EQ(file->Read(nullptr, 1, 1, &got), E_INVALIDARG);
  EXPECT_EQ(file->Read(buffer.data(), 1, 1, nullptr), E_INVALIDARG);
  EXPECT_EQ(file->GetPosition(nullptr), E_INVALIDARG);
  file->Release();

  auto* html = new Quor::HtmlStringReader(String(u"ab"));
  html->AddRef();
  EXPECT_EQ(html->Seek(3, kQuorSeekStart), S_OK);
  html->GetPosition(&position);
  EXPECT_EQ(position, 2u);
  EXPECT_EQ(html->IsEnd(), S_OK);
  EXPECT_EQ(html->Seek(-2, kQuorSeekCurrent), S_OK);
  EXPECT_EQ(html->IsEnd(), S_FALSE);
  EXPECT_EQ(html->Read(buffer.data(), 2, 1, &got), E_FAIL);  // bytes only
  EXPECT_EQ(html->Read(nullptr, 1, 1, &got), E_POINTER);
  EXPECT_EQ(html->GetPosition(nullptr), E_POINTER);
  EXPECT_EQ(html->Read(buffer.data(), 1, 10, &got), S_OK);
  EXPECT_EQ(std::string(buffer.data(), got), "ab");
  html->Release();
}

TEST(StreamReaders, AFileWithoutAMimeTypeHasNoBytes) {
  const struct {
    const char* name;
    const char* mime;
    bool bytes;
  } cases[] = {{"Etch_Local.JS", "", false}, {"etch.js", "text/javascript", true},
               {"local.html", "text/html", true}, {"absent.js", "text/javascript", false}};
  for (const auto& c : cases) {
    std::string mime;
    auto* file = new Quor::EtchFileStream(c.name, mime);
    file->AddRef();
    EXPECT_EQ(mime, c.mime) << c.name;
    EXPECT_EQ(!file->Data().empty(), c.bytes) << c.name;
    file->Release();
  }
}

}  // namespace
