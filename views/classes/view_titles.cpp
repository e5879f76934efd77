#include "views/classes/view_titles.h"

#include <array>

#include "analysis/module_strings.h"
#include "analysis/views/view_classes.h"

namespace Rhyth {

const Quor::String& ViewTitle(DWORD n) {
  static const std::array<Quor::String, kViewClassCount> titles = [] {
    std::array<Quor::String, kViewClassCount> loaded;
    for (DWORD i = 0; i < kViewClassCount; ++i) loaded[i] = ModuleString(ViewClassTextOf(i)->titleId);
    return loaded;
  }();
  static const Quor::String none;
  return n < kViewClassCount ? titles[n] : none;
}

}  // namespace Rhyth
