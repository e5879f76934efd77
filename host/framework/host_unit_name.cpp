#include "host/framework/host_unit_name.h"

#include "core/quor_string.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace Tarn {

namespace {
// Letters of the prefix indices 0 to 14; index 8 has none.
constexpr char16_t kPrefixLetters[15] = {0, 0, u'a', u'f', u'p', u'n', u'\u00B5', u'm',
                                          0, u'k', u'M', u'G', u'T', u'P', u'E'};
}  // namespace

DWORD HostUnitName::IndexOfHostPrefix(DWORD hostPrefix) {
  if (hostPrefix == 1) return 8;
  return hostPrefix >= 2 && hostPrefix <= 11 && hostPrefix != 8 ? hostPrefix : 0;
}

HRESULT HostUnitName::GetPrefix(DWORD* index) {
  if (!index) return E_INVALIDARG;
  *index = m_prefix;
  return S_OK;
}

HRESULT HostUnitName::GetText(VARIANT_BOOL withPrefix, IQuorString** text) {
  return Guarded([&] {
    if (!text) return E_INVALIDARG;
    std::u16string shown = m_name;
    if (withPrefix && m_prefix < 15 && kPrefixLetters[m_prefix]) shown.insert(0, 1, kPrefixLetters[m_prefix]);
    *text = Quor::String(shown).GetInterface();
    return S_OK;
  });
}

HRESULT HostUnitName::GetFlag(DWORD* flag) {
  if (!flag) return E_INVALIDARG;
  *flag = m_flag;
  return S_OK;
}

HRESULT HostUnitName::SetPrefix(DWORD index) {
  m_prefix = index;
  return S_OK;
}

HRESULT HostUnitName::SetName(IAutoQuorString* name) {
  return Guarded([&] {
    if (!name) return E_INVALIDARG;
    m_name = TextOf(name);
    return S_OK;
  });
}

HRESULT HostUnitName::SetFlag(DWORD flag) {
  m_flag = flag != 0;
  return S_OK;
}

HRESULT HostUnitName::Clone(IUnitName** copy) {
  return Guarded([&] {
    if (!copy) return E_INVALIDARG;
    auto* clone = new HostUnitName(m_prefix, m_name);
    clone->m_flag = m_flag;
    *copy = clone;
    return S_OK;
  });
}

}  // namespace Tarn
