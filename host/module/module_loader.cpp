#include "host/module/module_loader.h"

#include <dlfcn.h>

#include <cstdio>
#include <mutex>
#include <set>

#include "host/app/host_application.h"
#include "host/module/unit_test_registry.h"

namespace PendrelHost {

namespace {

using RegisterEntry = HRESULT (*)(IUnknown* host);

std::string HexResult(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", unsigned(hr));
  return text;
}

}  // namespace

std::filesystem::path DefaultModulePath() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return (error ? std::filesystem::current_path() : executable.parent_path()) / "librhyth.so";
}

void LoadModule(const std::filesystem::path& path) {
  static std::mutex mutex;
  static std::set<std::filesystem::path> loaded;
  std::lock_guard lock(mutex);
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  if (loaded.count(canonical)) return;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw ModuleLoadError("cannot load the analysis module " + path.string() +
                          ": no such file (give its place with --module PATH)");
  }
  UnitTestRegistry::Instance().Publish();
  // RTLD_LOCAL: the module's own copies of the core stay its own.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* reason = dlerror();
    throw ModuleLoadError("cannot load the analysis module " + path.string() + ": " +
                          (reason ? reason : "unknown reason"));
  }
  auto entry = reinterpret_cast<RegisterEntry>(dlsym(library, "DllRegisterClassObjects"));
  if (!entry) {
    dlclose(library);
    throw ModuleLoadError(path.string() + " is no module of this host: it has no "
                          "DllRegisterClassObjects");
  }
  const HRESULT hr = entry(static_cast<ITarnHostApp*>(&HostApplication::Instance()));
  if (FAILED(hr)) {
    throw ModuleLoadError("the analysis module " + path.string() + " failed to register (" +
                          HexResult(hr) + ")");
  }
  loaded.insert(canonical);
}

}  // namespace PendrelHost
