#include "plotengine/bridge/string_enumerators.h"

#include <algorithm>

#include "platform/win32/com_object.h"

namespace Quor {

namespace {

// The n-th element of a container as a string.
const String& ElementOf(const std::vector<String>& strings, ULONG n) { return strings[n]; }

// Enumerates a container it does not own by index; `Pick` gives the n-th string.
template <class Container, class Pick>
class IndexedStringEnum : public SimpleUnknownImp1<IEnumIAutoQuorString> {
 public:
  IndexedStringEnum(const Container& container, Pick pick, ULONG index = 0)
      : m_container(container), m_pick(pick), m_index(index) {}

  HRESULT Next(ULONG count, IAutoQuorString** out, ULONG* fetched) override {
    if (!out || (count != 1 && !fetched)) return E_POINTER;
    const ULONG size = ULONG(m_container.size());
    const ULONG start = m_index;
    const ULONG end = ULONG(std::min<unsigned long long>(size, (unsigned long long)m_index + count));
    for (; m_index < end; ++m_index) out[m_index - start] = m_pick(m_container, m_index).GetInterface();
    if (fetched) *fetched = end - start;
    return end - start < count ? S_FALSE : S_OK;
  }
  HRESULT Skip(ULONG count) override {
    const ULONG start = m_index;
    m_index = ULONG(std::min<unsigned long long>(m_container.size(), (unsigned long long)m_index + count));
    return m_index - start < count ? S_FALSE : S_OK;
  }
  HRESULT Reset() override {
    m_index = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumIAutoQuorString** out) override {
    if (!out) return E_POINTER;
    *out = new IndexedStringEnum(m_container, m_pick, m_index);
    (*out)->AddRef();
    return S_OK;
  }

 private:
  const Container& m_container;
  Pick m_pick;
  ULONG m_index;
};

// The map's n-th key or value, walking from the start: maps of script objects are small.
const String& MapElement(const std::map<String, String>& map, ULONG n, MapPart part) {
  auto it = std::next(map.begin(), n);
  return part == MapPart::Keys ? it->first : it->second;
}

class ArrayStringEnum : public SimpleUnknownImp1<IEnumIAutoQuorString> {
 public:
  ArrayStringEnum(const InterfaceArray<IAutoQuorString>& strings, ULONG index)
      : m_strings(strings), m_index(index) {}

  HRESULT Next(ULONG count, IAutoQuorString** out, ULONG* fetched) override {
    if (!out || (count != 1 && !fetched)) return E_POINTER;
    const ULONG start = m_index;
    const ULONG end = std::min<ULONG>(m_strings.GetCount(), m_index + count);
    for (; m_index < end; ++m_index) {
      IAutoQuorString* element = m_strings[m_index];
      if (!element) {
        if (fetched) *fetched = m_index - start;
        return E_POINTER;
      }
      element->AddRef();
      out[m_index - start] = element;
    }
    if (fetched) *fetched = end - start;
    return end - start < count ? S_FALSE : S_OK;
  }
  HRESULT Skip(ULONG count) override {
    const ULONG start = m_index;
    m_index = std::min<ULONG>(m_strings.GetCount(), m_index + count);
    return m_index - start < count ? S_FALSE : S_OK;
  }
  HRESULT Reset() override {
    m_index = 0;
    return S_OK;
  }
  HRESULT Clone(IEnumIAutoQuorString** out) override {
    if (!out) return E_POINTER;
    *out = new ArrayStringEnum(m_strings, m_index);
    (*out)->AddRef();
    return S_OK;
  }

 private:
  InterfaceArray<IAutoQuorString> m_strings;
  ULONG m_index;
};

template <class Container, class Pick>
IEnumIAutoQuorString* NewIndexed(const Container& container, Pick pick) {
  IEnumIAutoQuorString* enumerator = new IndexedStringEnum<Container, Pick>(container, pick);
  enumerator->AddRef();
  return enumerator;
}

}  // namespace

IEnumIAutoQuorString* EnumerateMap(const std::map<String, String>& map, MapPart part) {
  if (part == MapPart::Keys) {
    return NewIndexed(map, [](const std::map<String, String>& m, ULONG n) -> const String& {
      return MapElement(m, n, MapPart::Keys);
    });
  }
  return NewIndexed(map, [](const std::map<String, String>& m, ULONG n) -> const String& {
    return MapElement(m, n, MapPart::Values);
  });
}

IEnumIAutoQuorString* EnumerateStrings(const std::vector<String>& strings) {
  return NewIndexed(strings, &ElementOf);
}

IEnumIAutoQuorString* EnumerateArray(const InterfaceArray<IAutoQuorString>& strings) {
  IEnumIAutoQuorString* enumerator = new ArrayStringEnum(strings, 0);
  enumerator->AddRef();
  return enumerator;
}

}  // namespace Quor
