#include "host/framework/host_object_makers.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "host/framework/framework_object.h"

namespace Tarn {

namespace {

struct Maker {
  GUID family;
  HostObjectMaker make;
};

struct TypeMaker {
  DWORD type;
  HostObjectMaker make;
};

struct Makers {
  std::mutex mutex;
  std::vector<Maker> list;
  std::vector<TypeMaker> types;
};

// Never destroyed: modules may still create objects while the process exits.
Makers& TheMakers() {
  static auto* makers = new Makers;
  return *makers;
}

// The maker of the fixed type code, or of the GUID that forms `type`, or null.
HostObjectMaker MakerOf(DWORD type) {
  std::vector<Maker> list;
  {
    std::lock_guard lock(TheMakers().mutex);
    for (const TypeMaker& maker : TheMakers().types) {
      if (maker.type == type) return maker.make;
    }
    list = TheMakers().list;
  }
  // Ids are asked outside the lock: the id registry has a lock of its own.
  for (const Maker& maker : list) {
    if (DWORD(FrameworkObject::Instance().IdOf(maker.family)) == type >> 16) return maker.make;
  }
  return nullptr;
}

}  // namespace

void AddHostObjectMaker(REFGUID family, HostObjectMaker maker) {
  if (!maker) return;
  Makers& makers = TheMakers();
  std::lock_guard lock(makers.mutex);
  const bool known = std::any_of(makers.list.begin(), makers.list.end(), [&](const Maker& m) {
    return m.family == family && m.make == maker;
  });
  if (!known) makers.list.push_back({family, maker});
}

void AddHostTypeMaker(DWORD type, HostObjectMaker maker) {
  if (!maker) return;
  Makers& makers = TheMakers();
  std::lock_guard lock(makers.mutex);
  std::erase_if(makers.types, [&](const TypeMaker& m) { return m.type == type; });
  makers.types.push_back({type, maker});
}

HRESULT MakeObjectOfMakers(DWORD type, REFIID iid, void** object) {
  const HostObjectMaker make = MakerOf(type);
  return make ? make(type, iid, object) : REGDB_E_CLASSNOTREG;
}

bool MakersAnswer(DWORD type) { return MakerOf(type) != nullptr; }

}  // namespace Tarn
