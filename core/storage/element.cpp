#include "core/storage/element.h"

#include <algorithm>

#include "core/storage/element_table.h"

using namespace QuorCompoundFile;

Element::Element(const WCHAR* name, DWORD type, ElementTable* owner) : m_owner(owner) {
  SetName(name);
  record.type = type;
}

Element::~Element() = default;

void Element::SetName(const WCHAR* name) {
  std::fill(std::begin(record.name), std::end(record.name), u'\0');
  for (DWORD i = 0; i < kMaxNameUnits && name[i]; ++i) record.name[i] = name[i];
}

ULONGLONG Element::ClusterCount() const {
  if (!record.firstCluster) return 0;
  return std::max<ULONGLONG>(1, ClustersFor(record.size));
}

void Element::SetEnd(ULONGLONG size, DWORD last) {
  record.size = size;
  if (size == 0) {
    record.endCluster = record.firstCluster;
  } else {
    record.endCluster = last | (size % kClusterSize == 0 ? kAtClusterEnd : 0);
  }
  MarkChanged();
}

void Element::SetFirstCluster(DWORD cluster) {
  record.firstCluster = cluster;
  MarkChanged();
}

void Element::MarkChanged() {
  if (m_owner) m_owner->MarkChanged();
}

const Element* Element::Parent() const { return m_owner ? &m_owner->Storage() : nullptr; }
