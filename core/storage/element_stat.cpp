#include "core/storage/element_stat.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/global_memory.h"

namespace QuorCompoundFile {

HRESULT FillElementStat(const Element& element, STATSTG* status, DWORD flags) {
  if (!status) return STG_E_INVALIDPOINTER;
  std::memset(status, 0, sizeof *status);
  const ElementRecord& record = element.record;
  if (!(flags & STATFLAG_NONAME)) {
    const auto units = std::char_traits<WCHAR>::length(record.name) + 1;
    auto* name = static_cast<LPOLESTR>(CoTaskMemAlloc(units * sizeof(WCHAR)));
    if (!name) return STG_E_INSUFFICIENTMEMORY;
    std::copy_n(record.name, units, name);
    status->pwcsName = name;
  }
  status->type = record.type;
  status->grfMode = element.mode;
  if (!element.IsStorage()) status->cbSize.QuadPart = record.size;
  status->clsid = record.clsid;
  // The times that SetElementTimes stored are what the element reports.
  status->mtime = record.mtime;
  status->ctime = record.ctime;
  status->atime = record.atime;
  return S_OK;
}

}  // namespace QuorCompoundFile
