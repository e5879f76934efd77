#include "plotengine/browser_loader_base.h"

#include <string>
#include <string_view>

#include "core/com_call_guard.h"

namespace Quor {
namespace {

std::u16string AsciiLower(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

// The fragment goes; "%20" becomes a space, and no other escape is decoded.
std::u16string PrepareUrl(std::u16string_view url) {
  url = url.substr(0, url.find(u'#'));
  std::u16string prepared;
  prepared.reserve(url.size());
  for (std::size_t i = 0; i < url.size(); ++i) {
    if (url.substr(i, 3) == u"%20") {
      prepared += u' ';
      i += 2;
    } else {
      prepared += url[i];
    }
  }
  return prepared;
}

}  // namespace

BrowserLoaderBase::BrowserLoaderBase(const String& prefix)
    : m_prefix(AsciiLower(prefix.ToStdWString())) {}

HRESULT BrowserLoaderBase::Load(IAutoQuorString* url, IAutoQuorString** mime,
                                IQuorStreamReader** stream) {
  if (!url || !mime || !stream) return E_INVALIDARG;
  return GuardedCall([&] {
    String type;
    if (!LoadResource(String(PrepareUrl(String(url).ToStdWString())), type, stream)) {
      return E_FAIL;
    }
    *mime = type.GetInterface();
    return S_OK;
  });
}

bool BrowserLoaderBase::GetResourceName(const String& url, String& name) const {
  const std::u16string text = url.ToStdWString();
  const std::u16string prefix = m_prefix.ToStdWString();
  if (text.compare(0, prefix.size(), prefix) != 0) return false;
  name = String(text.substr(prefix.size()));
  return true;
}

}  // namespace Quor
