// GDI+ fonts. A family is found only by its exact installed name or by one of the Windows
// interface names that are drawn in Liberation Sans ("Arial", "Tahoma", "Segoe UI",
// "MS Shell Dlg 2" and the GUI font's); it reports the installed name. A font is a family at an
// em size; a string format carries the alignments of drawn text. Owned by whoever made them.
#pragma once

#include <string>

#include "platform/gdiplus/types.h"

namespace Gdiplus {

constexpr int LF_FACESIZE_GDIPLUS = 32;

class FontCollection;

class FontFamily {
 public:
  FontFamily() : m_status(FontFamilyNotFound) {}
  // Status FontFamilyNotFound when no installed family has the name; GdiplusNotInitialized
  // before GDI+ runs.
  explicit FontFamily(const WCHAR* name, const FontCollection* collection = nullptr);

  static const FontFamily* GenericSansSerif();
  // Copies the installed name, truncated to 31 characters and terminated.
  Status GetFamilyName(WCHAR name[LF_FACESIZE_GDIPLUS], LANGID language = 0) const;
  BOOL IsAvailable() const { return m_status == Ok; }
  Status GetLastStatus() const { return m_status; }
  FontFamily* Clone() const { return new FontFamily(*this); }

  // The installed name in UTF-8, as the text layout takes it.
  const std::string& InstalledName() const { return m_installed; }

 private:
  std::string m_installed;
  Status m_status;
};

class Font {
 public:
  Font(const FontFamily* family, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint);
  Font(const WCHAR* familyName, REAL emSize, INT style = FontStyleRegular, Unit unit = UnitPoint);

  Status GetLastStatus() const { return m_status; }
  REAL GetSize() const { return m_size; }
  Unit GetUnit() const { return m_unit; }
  INT GetStyle() const { return m_style; }
  Status GetFamily(FontFamily* family) const;
  BOOL IsAvailable() const { return m_status == Ok; }

  // The em size in pixels at 96 dots per inch.
  REAL PixelSize() const;
  const FontFamily& Family() const { return m_family; }

 private:
  FontFamily m_family;
  REAL m_size;
  INT m_style;
  Unit m_unit;
  Status m_status;
};

class StringFormat {
 public:
  explicit StringFormat(INT flags = 0, LANGID language = 0) : m_flags(flags), m_language(language) {}
  Status SetAlignment(StringAlignment alignment);
  Status SetLineAlignment(StringAlignment alignment);
  StringAlignment GetAlignment() const { return m_alignment; }
  StringAlignment GetLineAlignment() const { return m_lineAlignment; }
  INT GetFormatFlags() const { return m_flags; }
  LANGID GetLanguage() const { return m_language; }
  Status GetLastStatus() const { return m_status; }

 private:
  INT m_flags;
  LANGID m_language;
  StringAlignment m_alignment = StringAlignmentNear;
  StringAlignment m_lineAlignment = StringAlignmentNear;
  mutable Status m_status = Ok;
};

}  // namespace Gdiplus
