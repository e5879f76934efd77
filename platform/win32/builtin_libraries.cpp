#include "platform/win32/builtin_libraries.h"

#include <string>

#include "platform/win32/monitors.h"
#include "platform/win32/visual_styles.h"

namespace {

template <class Function>
win32::BuiltinEntry Entry(const char* name, Function* function) {
  return {name, reinterpret_cast<void*>(function)};
}

const std::vector<win32::BuiltinEntry>& DisplayScaling() {
  static const std::vector<win32::BuiltinEntry> entries{Entry("GetDpiForMonitor", &GetDpiForMonitor)};
  return entries;
}

const std::vector<win32::BuiltinEntry>& VisualStyles() {
  static const std::vector<win32::BuiltinEntry> entries{
      Entry("OpenThemeData", &OpenThemeData),
      Entry("CloseThemeData", &CloseThemeData),
      Entry("DrawThemeBackground", &DrawThemeBackground),
      Entry("DrawThemeParentBackground", &DrawThemeParentBackground),
      Entry("IsAppThemed", &IsAppThemed),
      Entry("IsThemeActive", &IsThemeActive),
      Entry("GetThemePartSize", &GetThemePartSize),
      Entry("GetThemeBackgroundRegion", &GetThemeBackgroundRegion),
      Entry("GetThemeTextExtent", &GetThemeTextExtent),
      Entry("DrawThemeText", &DrawThemeText),
  };
  return entries;
}

std::u16string LowerFileName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u"/\\");
  std::u16string name(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
  for (char16_t& c : name)
    if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
  return name;
}

}  // namespace

const std::vector<win32::BuiltinEntry>* win32::FindBuiltinLibrary(std::u16string_view fileName) {
  const std::u16string name = LowerFileName(fileName);
  if (name == u"shcore.dll") return &DisplayScaling();
  if (name == u"uxtheme.dll") return &VisualStyles();
  return nullptr;
}
