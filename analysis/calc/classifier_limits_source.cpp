#include "analysis/calc/classifier_limits_source.h"

#include <mutex>
#include <vector>

namespace Rhyth {

namespace {

struct Announcement {
  IUnknown* identity;  // not held: compared only
  const void* owner;
  std::function<ClassifierLimits()> limits;
};

std::mutex& SourcesMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<Announcement>& Sources() {
  static std::vector<Announcement> sources;
  return sources;
}

IUnknown* IdentityOf(IUnknown* object) {
  if (!object) return nullptr;
  IUnknown* identity = nullptr;
  if (FAILED(object->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(&identity))))
    return object;
  identity->Release();
  return identity;
}

}  // namespace

void AnnounceClassifierLimits(IUnknown* hostDocument, const void* owner,
                              std::function<ClassifierLimits()> limits) {
  IUnknown* identity = IdentityOf(hostDocument);
  if (!identity || !limits) return;
  std::lock_guard lock(SourcesMutex());
  Sources().push_back({identity, owner, std::move(limits)});
}

void WithdrawClassifierLimits(const void* owner) {
  std::lock_guard lock(SourcesMutex());
  std::erase_if(Sources(), [owner](const Announcement& a) { return a.owner == owner; });
}

std::optional<ClassifierLimits> ClassifierLimitsOf(IUnknown* hostDocument) {
  IUnknown* identity = IdentityOf(hostDocument);
  if (!identity) return std::nullopt;
  std::function<ClassifierLimits()> limits;
  {
    std::lock_guard lock(SourcesMutex());
    // The latest announcement wins: a document reopened over the same host document.
    for (auto it = Sources().rbegin(); it != Sources().rend(); ++it) {
      if (it->identity == identity) {
        limits = it->limits;
        break;
      }
    }
  }
  if (!limits) return std::nullopt;
  return limits();
}

}  // namespace Rhyth
