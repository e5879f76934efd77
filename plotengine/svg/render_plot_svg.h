// Drawing a plot's printable SVG for the clipboard, printing and image export.
#pragma once

#include <memory>
#include <string>

#include "plotengine/svg/svg_renderer.h"

namespace Quor {

// Parses the SVG text and draws it. Without a file name the drawing is an in-memory metafile
// for the caller to detach; with one (.png, .jpg, .jpeg, .gif, .tif, .tiff or .emf, in any
// case) the file is written before this returns. Throws on invalid input or a failed write:
// the XML reader's or the tree's error, bad_svg_exception, or std::runtime_error; no file is
// left then, and an existing one is untouched.
std::unique_ptr<SvgGdiplusRenderer> RenderPlotSvg(const std::string& svg, const std::string& applicationName,
                                                  const std::u16string& fileName);

}  // namespace Quor
