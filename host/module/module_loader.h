// Loading the analysis module as the host does: the shared library is opened with dlopen,
// its registration entry found and called with the host application object, after the host
// published the services registration reaches for (framework, application, test registry).
// The library stays loaded for the life of the process: the host keeps the class objects it
// registered.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/win32/hresult.h"

namespace PendrelHost {

// Why a module could not be loaded or registered, naming the file.
class ModuleLoadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// librhyth.so in the folder of the running executable.
std::filesystem::path DefaultModulePath();

// Loads and registers the module at `path`; throws ModuleLoadError naming the file and the
// reason. A module that was loaded already is not registered again.
void LoadModule(const std::filesystem::path& path);

}  // namespace PendrelHost
