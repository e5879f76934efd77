#include "platform/gdiplus/font.h"

#include <pango/pangocairo.h>
#undef TRUE
#undef FALSE

#include <algorithm>
#include <set>

#include "platform/gdiplus/startup.h"
#include "platform/win32/gdi_internal.h"

namespace Gdiplus {

namespace {

const std::set<std::string>& InstalledFamilies() {
  static const std::set<std::string> families = [] {
    std::set<std::string> names;
    PangoFontFamily** list = nullptr;
    int count = 0;
    pango_font_map_list_families(pango_cairo_font_map_get_default(), &list, &count);
    for (int i = 0; i < count; ++i) names.insert(pango_font_family_get_name(list[i]));
    g_free(list);
    return names;
  }();
  return families;
}

std::string ToUtf8(const std::u16string& text) {
  glong written = 0;
  gchar* utf8 = g_utf16_to_utf8(reinterpret_cast<const gunichar2*>(text.data()), glong(text.size()),
                                nullptr, &written, nullptr);
  std::string result = utf8 ? std::string(utf8, std::size_t(written)) : std::string();
  g_free(utf8);
  return result;
}

}  // namespace

FontFamily::FontFamily(const WCHAR* name, const FontCollection*) : m_status(Ok) {
  if (!IsGdiplusRunning()) {
    m_status = GdiplusNotInitialized;
  } else if (!name) {
    m_status = InvalidParameter;
  } else {
    const std::u16string wanted(name);
    m_installed = win32::gdi::IsInterfaceFace(wanted) ? win32::gdi::kInterfaceFaceFamily : ToUtf8(wanted);
    if (!InstalledFamilies().count(m_installed)) {
      m_installed.clear();
      m_status = FontFamilyNotFound;
    }
  }
}

const FontFamily* FontFamily::GenericSansSerif() {
  static const FontFamily* family = [] {
    auto* made = new FontFamily;
    made->m_installed = win32::gdi::kInterfaceFaceFamily;
    made->m_status = Ok;
    return made;
  }();
  return family;
}

Status FontFamily::GetFamilyName(WCHAR name[LF_FACESIZE_GDIPLUS], LANGID) const {
  if (!name) return InvalidParameter;
  name[0] = 0;
  if (m_status != Ok) return m_status;
  glong written = 0;
  gunichar2* utf16 = g_utf8_to_utf16(m_installed.c_str(), -1, nullptr, &written, nullptr);
  const glong kept = std::min<glong>(written, LF_FACESIZE_GDIPLUS - 1);
  for (glong i = 0; i < kept; ++i) name[i] = utf16[i];
  name[kept] = 0;
  g_free(utf16);
  return Ok;
}

Font::Font(const FontFamily* family, REAL emSize, INT style, Unit unit)
    : m_size(emSize), m_style(style), m_unit(unit), m_status(Ok) {
  if (!family || !(emSize > 0)) {
    m_status = InvalidParameter;
    return;
  }
  m_family = *family;
  m_status = m_family.GetLastStatus();
}

Font::Font(const WCHAR* familyName, REAL emSize, INT style, Unit unit)
    : m_family(familyName), m_size(emSize), m_style(style), m_unit(unit), m_status(Ok) {
  m_status = !(emSize > 0) ? InvalidParameter : m_family.GetLastStatus();
}

Status Font::GetFamily(FontFamily* family) const {
  if (!family) return InvalidParameter;
  *family = m_family;
  return m_status;
}

REAL Font::PixelSize() const {
  switch (m_unit) {
    case UnitPoint: return m_size * 96 / 72;
    default: return m_size;
  }
}

Status StringFormat::SetAlignment(StringAlignment alignment) {
  m_alignment = alignment;
  return m_status = Ok;
}

Status StringFormat::SetLineAlignment(StringAlignment alignment) {
  m_lineAlignment = alignment;
  return m_status = Ok;
}

}  // namespace Gdiplus
