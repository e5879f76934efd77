// The id registry: gives each GUID a 16-bit id, in the order of first request, that stays the
// same for the life of the process. Modules form their type and message words from it as
// (id << 16) | n, so an id is never 0. It also names type words by the classes registered
// under them, for automation that names a view type.
#pragma once

#include <mutex>
#include <vector>

#include "platform/pendrel/framework_services.h"

namespace Tarn {

// One face of the framework object, which answers IUnknown for it.
class GuidIdRegistry : public ITarnIdRegistry {
 public:
  static constexpr WORD kFirstId = 0x0100;

  HRESULT GetGuidId(REFGUID guid, WORD* id) override;
  HRESULT GetGuidOfId(WORD id, GUID* guid) override;
  HRESULT GetTypeWordOfName(IQuorString* name, DWORD* type) override;
  HRESULT GetNameOfTypeWord(DWORD type, IQuorString** name) override;
  // The same, for the host's own use: not recorded; 0 when the ids are used up.
  WORD IdOf(REFGUID guid);
  // The GUID of an id the registry gave; false for any other.
  bool GuidOf(WORD id, GUID* guid);
  // Whether the registry has given `guid` an id (without giving it one).
  bool HasId(REFGUID guid);

 protected:
  GuidIdRegistry() = default;
  ~GuidIdRegistry() = default;

 private:
  std::mutex m_mutex;
  // The GUID at index i has the id kFirstId + i.
  std::vector<GUID> m_guids;
};

}  // namespace Tarn
