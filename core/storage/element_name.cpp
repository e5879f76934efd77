#include "core/storage/element_name.h"

#include "core/storage/compound_file_format.h"
#include "platform/win32/storage_errors.h"

namespace QuorCompoundFile {

namespace {

WCHAR FoldCase(WCHAR unit) { return unit >= u'a' && unit <= u'z' ? unit - (u'a' - u'A') : unit; }

}  // namespace

HRESULT CheckElementName(const WCHAR* name) {
  if (!name) return STG_E_INVALIDPOINTER;
  DWORD length = 0;
  while (name[length] && length <= kMaxNameUnits) ++length;
  return length == 0 || length > kMaxNameUnits ? STG_E_INVALIDNAME : S_OK;
}

bool ElementNamesMatch(const WCHAR* a, const WCHAR* b) {
  for (;; ++a, ++b) {
    if (FoldCase(*a) != FoldCase(*b)) return false;
    if (!*a) return true;
  }
}

}  // namespace QuorCompoundFile
