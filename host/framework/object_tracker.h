// The framework service: the debug object tracker, which modules tell of objects as they are
// made and destroyed. It knows each object only by address and never calls it, since it hears
// of objects in their constructors and destructors.
#pragma once

#include <map>
#include <mutex>

#include "platform/pendrel/framework_services.h"

namespace Tarn {

// One face of the framework object, which answers IUnknown for it.
class ObjectTracker : public ITarnFrameworkService {
 public:
  HRESULT TrackObject(IUnknown* object, DWORD code) override;
  HRESULT UntrackObject(IUnknown* object) override;

  void Reset();

 protected:
  ObjectTracker() = default;
  ~ObjectTracker() = default;

 private:
  std::mutex m_mutex;
  // The code each object was last announced with.
  std::map<const void*, DWORD> m_codes;
};

}  // namespace Tarn
