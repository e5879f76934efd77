#include "platform/owl/application.h"

#include <atomic>

namespace OWL {

namespace {
std::atomic<TApplication*> current{nullptr};
}

TApplication::TApplication(LANGID language) : m_language(language) {
  TApplication* none = nullptr;
  current.compare_exchange_strong(none, this);
}

TApplication::~TApplication() {
  TApplication* self = this;
  current.compare_exchange_strong(self, nullptr);
}

TApplication* GetApplicationObject() { return current.load(); }

}  // namespace OWL
