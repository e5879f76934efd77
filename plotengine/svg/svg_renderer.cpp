#include "plotengine/svg/svg_renderer.h"

#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <limits>
#include <stdexcept>

#include "controls/gdiplus_starter.h"
#include "controls/image_encoder_lookup.h"
#include "core/utf_codec.h"
#include "plotengine/svg/bad_svg_exception.h"
#include "plotengine/svg/svg_patterns.h"

namespace Quor {

namespace {

using Gdiplus::PointF;
using Gdiplus::RectF;

// A picture larger than this many pixels is refused rather than allocated.
constexpr double kMaxPixels = 100e6;

std::string Utf8Of(const std::u16string& text) { return Utf16ToUtf8(text.data(), text.size()); }

std::u16string LowerAscii(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
  return text;
}

// The MIME type of a raster file's extension, compared ignoring case; empty when unknown.
const char16_t* MimeTypeOf(const std::u16string& extension) {
  static const std::pair<std::u16string, const char16_t*> table[] = {
      {u".png", u"image/png"}, {u".jpg", u"image/jpeg"}, {u".jpeg", u"image/jpeg"},
      {u".gif", u"image/gif"}, {u".tif", u"image/tiff"}, {u".tiff", u"image/tiff"}};
  const std::u16string lower = LowerAscii(extension);
  for (const auto& [known, mimeType] : table)
    if (lower == known) return mimeType;
  return nullptr;
}

// A name beside the target that no other render uses at the same time.
std::string PartialPathFor(const std::string& target) {
  static std::atomic<unsigned> serial{0};
  return target + "." + std::to_string(getpid()) + "-" + std::to_string(serial++) + ".partial";
}

// A coordinate truncated towards zero as a whole pixel; values beyond the pixel range are held
// at its ends instead of overflowing.
INT WholePixel(float value) {
  if (!(value == value)) return 0;
  constexpr float limit = float(1 << 30);
  return INT(std::fmax(-limit, std::fmin(limit, value)));
}

std::runtime_error WriteFailure(const std::string& path, const std::string& reason) {
  return std::runtime_error("The plot could not be written to " + path + ": " + reason);
}

}  // namespace

SvgGdiplusRenderer::SvgGdiplusRenderer(const std::string& applicationName, const std::string& pictureName,
                                       float width, float height, const std::u16string& fileName)
    : m_width(width), m_height(height), m_fileName(fileName) {
  const std::filesystem::path target(Utf8Of(fileName));
  m_extension = Utf8ToStdWString(target.extension().string());
  if (!(width >= 1) || !(height >= 1) || double(width) * double(height) > kMaxPixels)
    throw std::runtime_error("The plot's SVG has no usable size: its root needs a width and a height in pixels.");
  // Renders must not depend on a gadget having started GDI+ before them.
  if (!Gdiplus::IsGdiplusRunning()) EnsureGdiplusStarter();

  const HDC reference = CreateCompatibleDC(nullptr);
  std::u16string description = Utf8ToStdWString(applicationName);
  description += u'\0';
  description += Utf8ToStdWString(pictureName);
  description += u'\0';
  description += u'\0';
  const RectF frame(0, 0, width, height);
  if (fileName.empty()) {
    m_image = std::make_unique<Gdiplus::Metafile>(reference, frame, Gdiplus::MetafileFrameUnitPixel,
                                                  Gdiplus::EmfTypeEmfPlusDual, description.c_str());
  } else if (LowerAscii(m_extension) == u".emf") {
    m_partialPath = PartialPathFor(target.string());
    m_image = std::make_unique<Gdiplus::Metafile>(Utf8ToStdWString(m_partialPath).c_str(), reference, frame,
                                                  Gdiplus::MetafileFrameUnitPixel, Gdiplus::EmfTypeEmfPlusDual,
                                                  description.c_str());
  } else if (MimeTypeOf(m_extension)) {
    m_partialPath = PartialPathFor(target.string());
    m_image = std::make_unique<Gdiplus::Bitmap>(INT(width), INT(height), Gdiplus::PixelFormat32bppARGB);
  } else {
    DeleteDC(reference);
    throw std::runtime_error("The plot cannot be saved as " + target.string() +
                             ": the file type is none of PNG, JPEG, GIF, TIFF or EMF.");
  }
  DeleteDC(reference);
  m_metafile = dynamic_cast<Gdiplus::Metafile*>(m_image.get());
  if (m_image->GetLastStatus() != Gdiplus::Ok)
    throw std::runtime_error("The plot's picture could not be made (GDI+ status " +
                             std::to_string(m_image->GetLastStatus()) + ").");
  m_graphics = std::make_unique<Gdiplus::Graphics>(m_image.get());
  if (m_graphics->GetLastStatus() != Gdiplus::Ok)
    throw std::runtime_error("The plot could not be drawn (GDI+ status " +
                             std::to_string(m_graphics->GetLastStatus()) + ").");
  m_graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
}

SvgGdiplusRenderer::~SvgGdiplusRenderer() {
  m_graphics.reset();
  if (m_metafile) {
    if (const HENHMETAFILE handle = m_metafile->GetHENHMETAFILE()) DeleteEnhMetaFile(handle);
  }
  m_image.reset();
  RemovePartialFile();
}

void SvgGdiplusRenderer::RemovePartialFile() {
  if (m_partialPath.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(m_partialPath, ignored);
  m_partialPath.clear();
}

void SvgGdiplusRenderer::Finish() {
  if (m_fileName.empty() || m_partialPath.empty()) return;
  const std::string target = Utf8Of(m_fileName);
  if (m_metafile || !m_image) {
    m_graphics.reset();
    if (m_metafile) {
      const HENHMETAFILE handle = m_metafile->GetHENHMETAFILE();
      if (!handle) throw WriteFailure(target, "the metafile could not be completed");
      DeleteEnhMetaFile(handle);
    }
    if (!std::filesystem::exists(m_partialPath)) {
      RemovePartialFile();
      throw WriteFailure(target, "no metafile was written");
    }
  } else {
    SaveRaster();
  }
  std::error_code error;
  std::filesystem::rename(m_partialPath, target, error);
  if (error) {
    RemovePartialFile();
    throw WriteFailure(target, error.message());
  }
  m_partialPath.clear();
}

void SvgGdiplusRenderer::SaveRaster() {
  const std::string target = Utf8Of(m_fileName);
  CLSID encoder{};
  if (!GetEncoderClsid(MimeTypeOf(m_extension), &encoder)) throw WriteFailure(target, "no image encoder for the type");
  m_graphics.reset();  // the drawing is complete
  const Gdiplus::Status status = m_image->Save(Utf8ToStdWString(m_partialPath).c_str(), &encoder);
  if (status != Gdiplus::Ok) {
    RemovePartialFile();
    throw WriteFailure(target, status == Gdiplus::Win32Error ? "the file could not be written"
                                                             : "GDI+ status " + std::to_string(status));
  }
}

HENHMETAFILE SvgGdiplusRenderer::DetachMetafile() {
  if (!m_image || !m_graphics) return nullptr;
  m_graphics.reset();
  if (!m_metafile) return nullptr;
  const HENHMETAFILE handle = m_metafile->GetHENHMETAFILE();
  m_metafile = nullptr;
  m_image.reset();
  return handle;
}

void SvgGdiplusRenderer::RegisterDefinition(const std::string& id, const std::string& element,
                                            const boost::property_tree::ptree& tree) {
  m_definitions.try_emplace(id, element, tree);
}

const SvgGdiplusRenderer::Definition* SvgGdiplusRenderer::FindDefinition(const std::string& id) const {
  const auto it = m_definitions.find(id);
  return it == m_definitions.end() ? nullptr : &it->second;
}

void SvgGdiplusRenderer::DefineClip(const std::string& id, const std::vector<RectF>& rects) {
  Gdiplus::Region region;
  for (const RectF& rect : rects) region.Intersect(rect);
  m_clipDefinitions[id] = region;
}

void SvgGdiplusRenderer::DefineFilter(const std::string& id, float deviation) { m_filterDefinitions[id] = deviation; }

void SvgGdiplusRenderer::Enter() {
  if (++m_depth > int(kMaxNesting)) throw bad_svg_exception();
}

void SvgGdiplusRenderer::PushTranslation(float dx, float dy) {
  Gdiplus::Matrix current;
  m_graphics->GetTransform(&current);
  m_savedTransforms.push_back(current);
  m_graphics->TranslateTransform(dx, dy, Gdiplus::MatrixOrderPrepend);
}

void SvgGdiplusRenderer::PopTransform() {
  if (m_savedTransforms.empty()) throw std::runtime_error("SVG generated by this plot is invalid");
  m_graphics->SetTransform(&m_savedTransforms.back());
  m_savedTransforms.pop_back();
}

bool SvgGdiplusRenderer::PushClipRegion(const std::string& id) {
  const auto it = m_clipDefinitions.find(id);
  if (it == m_clipDefinitions.end()) return false;
  Gdiplus::Matrix current;
  m_graphics->GetTransform(&current);
  m_activeClips.push_back({it->second, current});
  m_graphics->SetClip(&it->second, Gdiplus::CombineModeIntersect);
  return true;
}

void SvgGdiplusRenderer::PopClipRegion() {
  m_activeClips.pop_back();
  // Each region still stacked is intersected again in the coordinates it was pushed under.
  Gdiplus::Matrix current;
  m_graphics->GetTransform(&current);
  m_graphics->ResetClip();
  for (const ActiveClip& clip : m_activeClips) {
    m_graphics->SetTransform(&clip.transform);
    m_graphics->SetClip(&clip.region, Gdiplus::CombineModeIntersect);
  }
  m_graphics->SetTransform(&current);
}

Gdiplus::Pen SvgGdiplusRenderer::StrokePen() const {
  return Gdiplus::Pen(Gdiplus::Color(m_style.stroke), m_style.strokeWidth, Gdiplus::UnitWorld);
}

void SvgGdiplusRenderer::DrawRect(float x, float y, float width, float height, const std::string& filter) {
  const auto it = m_filterDefinitions.find(UrlReferenceId(filter));
  if (it != m_filterDefinitions.end()) DrawBlurredRect(x, y, width, height, it->second);
  else DrawPlainRect(x, y, width, height);
}

void SvgGdiplusRenderer::DrawPlainRect(float x, float y, float width, float height) {
  if (m_style.fill >> 24) {
    const Gdiplus::SolidBrush brush{Gdiplus::Color(m_style.fill)};
    m_graphics->FillRectangle(&brush, x, y, width, height);
  } else {
    const Gdiplus::Pen pen = StrokePen();
    m_graphics->DrawRectangle(&pen, x, y, width, height);
  }
}

void SvgGdiplusRenderer::DrawBlurredRect(float x, float y, float width, float height, float deviation) {
  const float e = 1.5f * deviation;
  const RectF grown(x - e, y - e, width + 2 * e, height + 2 * e);
  Gdiplus::GraphicsPath path;
  path.AddRectangle(grown);
  Gdiplus::PathGradientBrush brush(&path);
  brush.SetCenterColor(Gdiplus::Color(m_style.fill & 0xFF000000));
  const Gdiplus::Color surround(0x00000000);
  INT count = 1;
  brush.SetSurroundColors(&surround, &count);
  brush.SetFocusScales(1 - 4 * e / grown.Width, 1 - 4 * e / grown.Height);
  m_graphics->FillRectangle(&brush, grown);
  DrawPlainRect(grown.X, grown.Y, grown.Width, grown.Height);
}

void SvgGdiplusRenderer::DrawPolyline(const Gdiplus::Pen& pen, std::vector<PointF>& points) {
  if (points.empty()) return;
  Gdiplus::GraphicsPath path;
  path.AddLines(points.data(), INT(points.size()));
  m_graphics->DrawPath(&pen, &path);
  points.clear();
}

void SvgGdiplusRenderer::DrawPath(const std::string& d) {
  Gdiplus::Matrix saved;
  m_graphics->GetTransform(&saved);
  // Paths are drawn half a pixel up and left, so one-pixel lines at whole coordinates fill
  // whole pixels.
  m_graphics->TranslateTransform(-0.5f, -0.5f, Gdiplus::MatrixOrderPrepend);
  const Gdiplus::Pen pen = StrokePen();
  enum class Mode { None, Move, Line } mode = Mode::None;
  std::vector<PointF> points;
  float x = 0;
  bool haveX = false;
  const std::string_view text(d);
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == 'M' || c == 'L') {
      mode = c == 'M' ? Mode::Move : Mode::Line;
      ++i;
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    const float value = ParseFloat(text.substr(i));
    for (++i; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.');) ++i;
    if (!haveX) {
      x = value;
      haveX = true;
      continue;
    }
    haveX = false;
    if (mode == Mode::Move) {
      DrawPolyline(pen, points);
      points.emplace_back(x, value);
    } else if (mode == Mode::Line) {
      points.emplace_back(x, value);
    }
  }
  DrawPolyline(pen, points);
  m_graphics->SetTransform(&saved);
}

void SvgGdiplusRenderer::DrawCircle(float cx, float cy, float r) {
  const Gdiplus::Pen pen = StrokePen();
  m_graphics->DrawEllipse(&pen, cx - r, cy - r, 2 * r, 2 * r);
}

void SvgGdiplusRenderer::DrawEllipse(float cx, float cy, float rx, float ry, float angle) {
  const Gdiplus::GraphicsState state = m_graphics->Save();
  m_graphics->TranslateTransform(cx, cy, Gdiplus::MatrixOrderPrepend);
  m_graphics->RotateTransform(angle, Gdiplus::MatrixOrderPrepend);
  const Gdiplus::Pen pen = StrokePen();
  m_graphics->DrawEllipse(&pen, -rx, -ry, 2 * rx, 2 * ry);
  m_graphics->Restore(state);
}

void SvgGdiplusRenderer::DrawLine(float x1, float y1, float x2, float y2) {
  Gdiplus::Pen pen = StrokePen();
  pen.SetDashStyle(Gdiplus::DashStyleCustom);
  if (!m_style.dashPattern.empty()) {
    const std::size_t count = std::min(m_style.dashPattern.size(), kMaxDashValues);
    pen.SetDashPattern(m_style.dashPattern.data(), INT(count));
  }
  m_graphics->DrawLine(&pen, WholePixel(x1), WholePixel(y1), WholePixel(x2), WholePixel(y2));
}

void SvgGdiplusRenderer::DrawText(const std::string& text, const std::string& anchor, const std::string& baseline,
                                  float x, float y, float angle) {
  const std::u16string family = Utf8ToStdWString(m_style.fontFamily);
  Gdiplus::Font font(family.c_str(), m_style.fontSize, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  if (font.GetLastStatus() != Gdiplus::Ok)
    font = Gdiplus::Font(Gdiplus::FontFamily::GenericSansSerif(), m_style.fontSize, Gdiplus::FontStyleRegular,
                         Gdiplus::UnitPixel);
  const Gdiplus::SolidBrush brush{Gdiplus::Color(m_style.fill)};
  Gdiplus::StringFormat format(0, Gdiplus::LANG_NEUTRAL_ID);
  format.SetAlignment(anchor == "middle" ? Gdiplus::StringAlignmentCenter
                      : anchor == "end"  ? Gdiplus::StringAlignmentFar
                                         : Gdiplus::StringAlignmentNear);
  format.SetLineAlignment(baseline == "middle"            ? Gdiplus::StringAlignmentCenter
                          : baseline == "text-after-edge" ? Gdiplus::StringAlignmentFar
                                                          : Gdiplus::StringAlignmentNear);
  const std::u16string content = Utf8ToStdWString(text);
  if (angle == 0) {
    m_graphics->DrawString(content.c_str(), INT(content.size()), &font, RectF(x, y, 0, 0), &format, &brush);
    return;
  }
  const Gdiplus::GraphicsState state = m_graphics->Save();
  m_graphics->TranslateTransform(x, y, Gdiplus::MatrixOrderPrepend);
  m_graphics->RotateTransform(angle, Gdiplus::MatrixOrderPrepend);
  m_graphics->DrawString(content.c_str(), INT(content.size()), &font, RectF(0, 0, 0, 0), &format, &brush);
  m_graphics->Restore(state);
}

}  // namespace Quor
