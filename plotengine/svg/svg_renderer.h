// The GDI+ renderer of a plot's printable SVG. It draws on an in-memory metafile (no file name),
// an EMF file, or a bitmap saved as PNG, JPEG, GIF or TIFF, keeping one current style, the clip
// and blur definitions and the marker definitions of this render only. Files are written beside
// the target under a temporary name and renamed into place by Finish, so a failed render leaves
// no file and an existing one untouched. Made by RenderPlotSvg; owned by its caller.
#pragma once

#include <boost/property_tree/ptree.hpp>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gdiplus/graphics.h"
#include "platform/gdiplus/metafile.h"
#include "plotengine/svg/svg_style.h"

namespace Quor {

// Deeper nesting of elements, groups and marker uses than any plot draws means a definition
// that uses itself, directly or through others, or input made to exhaust the stack.
constexpr std::size_t kMaxNesting = 256;

class SvgGdiplusRenderer {
 public:
  // Throws std::runtime_error when the canvas cannot be made (a zero size, an unknown file
  // type, a file that cannot be started).
  SvgGdiplusRenderer(const std::string& applicationName, const std::string& pictureName, float width,
                     float height, const std::u16string& fileName);
  ~SvgGdiplusRenderer();
  SvgGdiplusRenderer(const SvgGdiplusRenderer&) = delete;
  SvgGdiplusRenderer& operator=(const SvgGdiplusRenderer&) = delete;

  // Writes the file named at construction and renames it into place; throws
  // std::runtime_error, leaving no file, when that fails. Nothing to do without a file name.
  void Finish();
  // The recorded metafile, which the caller then owns; null when the canvas is a bitmap or the
  // metafile was taken before.
  HENHMETAFILE DetachMetafile();
  std::string GetFontFamily() const { return m_style.fontFamily; }
  // The picture's size in pixels, from the root element.
  float Width() const { return m_width; }
  float Height() const { return m_height; }

  void ApplyStyle(const std::string& text) { ApplySvgStyle(m_style, text); }
  void SetStyleProperty(const std::string& name, const std::string& value) {
    SetSvgStyleProperty(m_style, name, value);
  }
  SvgStyle& Style() { return m_style; }

  // Definitions of this render.
  using Definition = std::pair<std::string, boost::property_tree::ptree>;  // element name, subtree
  void RegisterDefinition(const std::string& id, const std::string& element, const boost::property_tree::ptree& tree);
  const Definition* FindDefinition(const std::string& id) const;
  void DefineClip(const std::string& id, const std::vector<Gdiplus::RectF>& rects);
  void DefineFilter(const std::string& id, float deviation);

  // Nesting of groups and marker uses; throws bad_svg_exception past the limit, which stops a
  // definition that uses itself.
  void Enter();
  void Leave() { --m_depth; }

  void PushTranslation(float dx, float dy);
  void PopTransform();
  // False when the id names no clip.
  bool PushClipRegion(const std::string& id);
  void PopClipRegion();

  void DrawRect(float x, float y, float width, float height, const std::string& filter);
  void DrawPath(const std::string& d);
  void DrawCircle(float cx, float cy, float r);
  void DrawEllipse(float cx, float cy, float rx, float ry, float angle);
  void DrawLine(float x1, float y1, float x2, float y2);
  void DrawText(const std::string& text, const std::string& anchor, const std::string& baseline, float x, float y,
                float angle);

 private:
  void DrawPlainRect(float x, float y, float width, float height);
  void DrawBlurredRect(float x, float y, float width, float height, float deviation);
  void DrawPolyline(const Gdiplus::Pen& pen, std::vector<Gdiplus::PointF>& points);
  Gdiplus::Pen StrokePen() const;
  void SaveRaster();
  void RemovePartialFile();

  std::unique_ptr<Gdiplus::Image> m_image;
  Gdiplus::Metafile* m_metafile = nullptr;  // m_image when it is a metafile
  std::unique_ptr<Gdiplus::Graphics> m_graphics;
  std::map<std::string, Gdiplus::Region> m_clipDefinitions;
  struct ActiveClip {
    Gdiplus::Region region;
    Gdiplus::Matrix transform;  // in force when the region was pushed
  };
  std::vector<ActiveClip> m_activeClips;
  std::map<std::string, float> m_filterDefinitions;
  std::vector<Gdiplus::Matrix> m_savedTransforms;
  std::map<std::string, Definition> m_definitions;
  float m_width = 0;
  float m_height = 0;
  SvgStyle m_style;
  std::u16string m_fileName;
  std::u16string m_extension;
  std::string m_partialPath;  // the temporary file written before the rename; empty when none
  int m_depth = 0;
};

}  // namespace Quor
