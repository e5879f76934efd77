// Saved metafiles read back by programs that owe nothing to this library: a record listing and
// an SVG conversion rendered to pixels, compared with the library's own replay.
#include <cairo.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/tests/gui/drawing_test_support.h"
#include "platform/win32/gdi.h"
#include "platform/win32/metafile.h"

namespace {

using win32::testing::Canvas;
using win32::testing::kBlue;
using win32::testing::kRed;
using win32::testing::RunCommand;

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr COLORREF kGreen = RGB(0, 160, 0);

// Draws with every kind of record a saved picture of the views holds: shapes under brushes and
// pens (a dashed one among them), a clip inside a saved state, a world transform, text in a
// chosen font, and a device-independent bitmap.
void DrawScene(HDC dc) {
  HBRUSH blue = CreateSolidBrush(kBlue);
  HBRUSH red = CreateSolidBrush(kRed);
  HBRUSH green = CreateSolidBrush(kGreen);
  HPEN thick = CreatePen(PS_SOLID, 3, kGreen);
  const LOGBRUSH ink{BS_SOLID, RGB(0, 0, 0), 0};
  const DWORD dashes[] = {6, 3};
  HPEN dashed = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT, 2, &ink, 2, dashes);

  HGDIOBJ oldBrush = SelectObject(dc, blue);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
  Rectangle(dc, 10, 10, 60, 40);
  SelectObject(dc, red);
  SelectObject(dc, thick);
  Ellipse(dc, 70, 8, 120, 48);
  SelectObject(dc, dashed);
  const POINT zigzag[] = {{130, 10}, {150, 30}, {130, 50}, {150, 70}};
  Polyline(dc, zigzag, 4);

  const int saved = SaveDC(dc);
  IntersectClipRect(dc, 10, 60, 50, 90);
  SelectObject(dc, green);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 0, 50, 80, 110);
  RestoreDC(dc, saved);

  SetGraphicsMode(dc, GM_ADVANCED);
  const XFORM scaled{2, 0, 0, 2, 90, 60};
  SetWorldTransform(dc, &scaled);
  SelectObject(dc, red);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Rectangle(dc, 0, 0, 10, 10);
  ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SetGraphicsMode(dc, GM_COMPATIBLE);

  LOGFONTW face{};
  face.lfHeight = -16;
  face.lfWeight = FW_BOLD;
  std::u16string name = u"Arial";
  std::copy(name.begin(), name.end(), face.lfFaceName);
  HFONT font = CreateFontIndirectW(&face);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBlue);
  const std::u16string text = u"HRV 42";
  ExtTextOutW(dc, 10, 95, 0, nullptr, text.c_str(), UINT(text.size()), nullptr);
  // Wrapped text is saved line by line.
  RECT paragraph{60, 88, 118, 120};
  DrawTextW(dc, u"SD RMS", -1, &paragraph, DT_WORDBREAK);

  // Quarters of blue and red, the top left blue; rows bottom first. Drawn at its own size, as
  // readers smooth a stretched bitmap.
  constexpr int kSide = 24;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSide, kSide, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<std::uint32_t> pixels;
  for (int row = kSide - 1; row >= 0; --row)
    for (int column = 0; column < kSide; ++column)
      pixels.push_back((row < kSide / 2) == (column < kSide / 2) ? 0x0000FF : 0xFF0000);
  StretchDIBits(dc, 125, 85, kSide, kSide, 0, 0, kSide, kSide, pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);

  SelectObject(dc, oldFont);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  for (HGDIOBJ object : {HGDIOBJ(blue), HGDIOBJ(red), HGDIOBJ(green), HGDIOBJ(thick), HGDIOBJ(dashed), HGDIOBJ(font)})
    DeleteObject(object);
}

class SavedMetafile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::temp_directory_path() / ("rhyth-emf-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_folder);
  }
  void TearDown() override {
    if (m_metafile) DeleteEnhMetaFile(m_metafile);
    if (!std::getenv("RHYTH_KEEP_TEST_FILES")) std::filesystem::remove_all(m_folder);
  }

  // Records the scene into `scene.emf` in the test's folder.
  std::string SaveScene() {
    const std::string path = (m_folder / "scene.emf").string();
    const std::u16string name(path.begin(), path.end());
    const RECT frame{0, 0, kWidth * 2540 / 96, kHeight * 2540 / 96};
    HDC recording = CreateEnhMetaFileW(nullptr, name.c_str(), &frame, u"Rhyth\0HRV scene\0");
    EXPECT_NE(recording, nullptr);
    DrawScene(recording);
    m_metafile = CloseEnhMetaFile(recording);
    EXPECT_NE(m_metafile, nullptr);
    return path;
  }

  std::filesystem::path m_folder;
  HENHMETAFILE m_metafile = nullptr;
};

// Pixels of a PNG file, row by row, as colour words; empty when it cannot be read.
struct Picture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
};

Picture ReadPng(const std::string& path) {
  Picture picture;
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x) {
        // Premultiplied ARGB over the white page the replay draws on.
        const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
        const int alpha = int(p >> 24);
        auto channel = [&](int shift) { return int((p >> shift) & 0xFF) + (255 - alpha); };
        picture.pixels.push_back(RGB(channel(16), channel(8), channel(0)));
      }
  }
  cairo_surface_destroy(surface);
  return picture;
}

int Distance(COLORREF a, COLORREF b) {
  return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                   std::abs(GetBValue(a) - GetBValue(b))});
}

// The share of the reader's pixels with no pixel of near colour in the replay within one pixel
// either way: antialiased edges and half-pixel offsets count as agreeing, a missing, misplaced
// or miscoloured shape does not. Pixels inside `skip` are left out.
double MismatchedShare(const Picture& reader, const std::vector<COLORREF>& replay, const RECT& skip) {
  int mismatched = 0, compared = 0;
  const int width = std::min(reader.width, kWidth), height = std::min(reader.height, kHeight);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (x >= skip.left && x < skip.right && y >= skip.top && y < skip.bottom) continue;
      const COLORREF seen = reader.pixels[y * reader.width + x];
      bool near = false;
      for (int dy = -1; dy <= 1 && !near; ++dy)
        for (int dx = -1; dx <= 1 && !near; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= kWidth || ny >= kHeight) continue;
          near = Distance(seen, replay[ny * kWidth + nx]) <= 140;
        }
      mismatched += !near;
      ++compared;
    }
  return compared ? double(mismatched) / compared : 1.0;
}

TEST_F(SavedMetafile, AnSvgConversionOfTheFileLooksLikeTheReplay) {
  if (!win32::testing::HaveTools({"emf2svg-conv", "rsvg-convert"}))
    GTEST_SKIP() << "emf2svg-conv (emf2svg) and rsvg-convert (librsvg2-bin) are not installed";
  const std::string emf = SaveScene();
  const std::string svg = (m_folder / "scene.svg").string(), png = (m_folder / "scene.png").string();
  RunCommand("emf2svg-conv -i '" + emf + "' -o '" + svg + "' && rsvg-convert '" + svg + "' -o '" + png + "'");
  const Picture reader = ReadPng(png);
  ASSERT_GT(reader.width, kWidth - 3) << "no picture from " << svg;
  ASSERT_GT(reader.height, kHeight - 3);

  Canvas replayed(kWidth, kHeight);
  const RECT all{0, 0, kWidth, kHeight};
  ASSERT_TRUE(PlayEnhMetaFile(replayed.dc(), m_metafile, &all));
  const std::vector<COLORREF> replay = replayed.Pixels();
  // The converter draws user-styled dashes as a solid line, so the dashed polyline is left out;
  // printemf shows its pen's dashes.
  const RECT dashedPolyline{126, 6, 156, 74};
  EXPECT_LT(MismatchedShare(reader, replay, dashedPolyline), 0.01);

  // Probes where the clip, the transform and the bitmap decide the colour.
  auto at = [&](int x, int y) { return reader.pixels[y * reader.width + x]; };
  struct Probe {
    const char* what;
    int x, y;
    COLORREF expected;
  } probes[] = {{"inside the clip", 30, 75, kGreen},       {"outside the clip", 5, 55, RGB(255, 255, 255)},
                {"transformed square", 100, 70, kRed},     {"bitmap, top left", 130, 90, kBlue},
                {"bitmap, bottom left", 130, 104, kRed},   {"rectangle fill", 35, 25, kBlue}};
  for (const Probe& probe : probes) {
    EXPECT_LE(Distance(at(probe.x, probe.y), probe.expected), 8) << probe.what;
    EXPECT_LE(Distance(replay[probe.y * kWidth + probe.x], probe.expected), 8) << probe.what;
  }
}

// The record names printemf lists, in order, and the types of the records it reads without
// knowing them (it says so on its error output, before the listing).
struct Listing {
  std::string text;
  std::vector<std::string> names;
  std::vector<int> unknownTypes;
};

Listing ListRecords(const std::string& path) {
  Listing listing;
  listing.text = RunCommand("printemf '" + path + "'");
  std::istringstream lines(listing.text);
  for (std::string line; std::getline(lines, line);)
    if (line.size() > 2 && line.front() == '*' && line.back() == '*')
      listing.names.push_back(line.substr(1, line.size() - 2));
  std::istringstream errors(RunCommand("{ printemf '" + path + "' 2>&1 >/dev/null; }"));
  const std::string unknown = "unknown record type ";
  for (std::string line; std::getline(errors, line);)
    if (auto at = line.find(unknown); at != std::string::npos)
      listing.unknownTypes.push_back(std::stoi(line.substr(at + unknown.size())));
  return listing;
}

bool InOrder(const std::vector<std::string>& names, const std::vector<std::string>& wanted) {
  auto at = names.begin();
  for (const std::string& name : wanted) {
    at = std::find(at, names.end(), name);
    if (at == names.end()) return false;
    ++at;
  }
  return true;
}

TEST_F(SavedMetafile, PrintemfListsEveryRecord) {
  if (!win32::testing::HaveTools({"printemf"})) GTEST_SKIP() << "printemf is not installed";
  const std::string path = SaveScene();
  const Listing listing = ListRecords(path);
  ASSERT_FALSE(listing.names.empty()) << listing.text;

  // Every record the header counts is listed, or named as one the lister does not know: the
  // clip rectangle and the bitmap, which its library does not read.
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> file{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GT(file.size(), 56u);
  const std::size_t records = file[52] | (file[53] << 8) | (file[54] << 16) | (std::size_t(file[55]) << 24);
  EXPECT_EQ(listing.names.size() + listing.unknownTypes.size(), records);
  EXPECT_EQ(listing.unknownTypes, (std::vector<int>{30, 81}));

  EXPECT_EQ(listing.names.front(), "HEADER");
  EXPECT_EQ(listing.names.back(), "EOF");
  for (const char* header : {"rclBounds\t\t: (0, 0) - (159, 119)", "rclFrame\t\t: (0, 0) - (4233, 3175)",
                             "\t\tRhyth\n\t\tHRV scene\n"})
    EXPECT_NE(listing.text.find(header), std::string::npos) << header;
  EXPECT_TRUE(InOrder(listing.names, {"SAVEDC", "CREATEPEN", "CREATEBRUSHINDIRECT", "EXTCREATEFONTINDIRECTW",
                                      "SELECTOBJECT", "RECTANGLE", "RESTOREDC", "EXTCREATEPEN", "ELLIPSE",
                                      "EXTCREATEPEN", "POLYLINE", "SETWORLDTRANSFORM", "RECTANGLE",
                                      "MODIFYWORLDTRANSFORM", "RESTOREDC", "EXTTEXTOUTW", "SETTEXTALIGN", "EXTTEXTOUTW",
                                      "EXTTEXTOUTW", "DELETEOBJECT", "EOF"}));
  for (const char* detail : {"PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER | PS_GEOMETRIC",
                             "elp.elpNumEntries\t: 2", "lfFaceName\t\t: 'Arial'", "\t\tHRV 42\n", "\t\tSD \n", "\t\tRMS\n",
                             "xform.eM11\t: 2.000000"})
    EXPECT_NE(listing.text.find(detail), std::string::npos) << detail;
}

TEST_F(SavedMetafile, TheFileHoldsTheBytesTheHandleGives) {
  const std::string path = SaveScene();
  std::ifstream in(path, std::ios::binary);
  const std::vector<BYTE> file{std::istreambuf_iterator<char>(in), {}};
  const UINT size = GetEnhMetaFileBits(m_metafile, 0, nullptr);
  std::vector<BYTE> bits(size);
  ASSERT_EQ(GetEnhMetaFileBits(m_metafile, size, bits.data()), size);
  EXPECT_EQ(file, bits);
  EXPECT_EQ(GetEnhMetaFileBits(m_metafile, size - 1, bits.data()), 0u);
}

TEST_F(SavedMetafile, ANameThatCannotBeWrittenFailsAtCreation) {
  const std::u16string name = u"/nonexistent-folder/picture.emf";
  EXPECT_EQ(CreateEnhMetaFileW(nullptr, name.c_str(), nullptr, nullptr), nullptr);
}

}  // namespace
