#include "hostframework/pre_release_notice.h"

#include <string_view>

#include "hostframework/host_services.h"
#include "hostframework/this_module.h"
#include "platform/win32/version.h"

namespace {

bool Contains(const Quor::String& text, std::u16string_view part) {
  return std::u16string_view(text.c_str(), text.Length()).find(part) != std::u16string_view::npos;
}

Quor::String VersionText(const void* block, const char16_t* key) {
  std::u16string query = u"\\StringFileInfo\\040904b0\\";
  query += key;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block, query.c_str(), &value, &length) || !value) return Quor::String(u"N/A");
  return Quor::String(static_cast<const WCHAR*>(value));
}

}  // namespace

bool IsPreReleaseVersionText(const Quor::String& version) {
  if (Contains(version, u"N/A")) return false;
  if (Contains(version, u"lpha") || Contains(version, u"eta")) return true;
  if (Contains(version, u"ev")) return false;
  return Contains(version, u"inal");
}

void ShowPreReleaseNotice() {
  ITarnHostApp* app = GetTarnHostApp();
  if (!app) return;
  DWORD state = 1, detail = 0;
  if (FAILED(app->GetRunState(&state, &detail)) || state != 0) return;
  const void* block = FindModuleVersionBlock(ExtLib::GetThisModule());
  void* fixedValue = nullptr;
  UINT length = 0;
  if (!block || !VerQueryValueW(block, u"\\", &fixedValue, &length)) return;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(fixedValue);
  if ((fixed->dwFileVersionLS & 0xFFFF) >= 1024) return;
  const Quor::String version = VersionText(block, u"FileVersion");
  if (!IsPreReleaseVersionText(version)) return;
  Quor::String notice = VersionText(block, u"FileDescription");
  notice += u" ";
  notice += version;
  if (notice.Length() > 255) notice = notice.Mid(0, 255);
  IQuorString* text = notice.GetInterface();
  app->ShowNotice(0, text);
  text->Release();
}
