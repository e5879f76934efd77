#include "host/recording/biosig_library.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

constexpr const char* kLibraryName = "libbiosig.so.3";

template <class Function>
void Bind(void* library, Function& function, const char* name) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  if (!function) throw RecordingError(std::string("the EDF/BDF/GDF reader lacks ") + name);
}

#define RHYTH_BIND(library, table, name) Bind(library, table.name, #name)

BiosigLibrary Load() {
  void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* reason = dlerror();
    throw RecordingError(std::string("the EDF/BDF/GDF reader cannot be loaded: ") +
                         (reason ? reason : kLibraryName));
  }
  BiosigLibrary table{};
  RHYTH_BIND(library, table, sopen);
  RHYTH_BIND(library, table, sclose);
  RHYTH_BIND(library, table, destructHDR);
  RHYTH_BIND(library, table, sread);
  RHYTH_BIND(library, table, biosig_check_error);
  RHYTH_BIND(library, table, biosig_get_errormsg);
  RHYTH_BIND(library, table, biosig_get_samplerate);
  RHYTH_BIND(library, table, biosig_get_number_of_channels);
  RHYTH_BIND(library, table, biosig_get_channel);
  RHYTH_BIND(library, table, biosig_channel_get_label);
  RHYTH_BIND(library, table, biosig_channel_get_physdim);
  RHYTH_BIND(library, table, biosig_get_startdatetime_gdf);
  RHYTH_BIND(library, table, biosig_get_number_of_records);
  RHYTH_BIND(library, table, biosig_get_datablock);
  RHYTH_BIND(library, table, biosig_get_flag);
  // Kept open: the process may read such files again, and the library has no clean unload.
  return table;
}

#undef RHYTH_BIND

}  // namespace

const BiosigLibrary& Biosig() {
  static std::mutex mutex;
  static BiosigLibrary table{};
  static bool loaded = false;
  std::lock_guard lock(mutex);
  if (!loaded) {
    table = Load();
    loaded = true;
  }
  return table;
}

}  // namespace PendrelHost
