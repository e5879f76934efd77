// The parameter texts of the module's fiducial point and beat selector enumerators, as the
// host's channel formulas hand them over. The first byte picks the enumerator, the rest is the
// text in UTF-8 (the host's leading number, then the algorithm's numbers). A text is taken or
// refused with E_INVALIDARG; a text that is taken must read back as written: the numbers the
// enumerator writes are taken again and written the same. Any crash, hang or sanitizer report
// is a finding.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "analysis/detection/fiducial_enumerator.h"
#include "analysis/detection/selector_enumerator.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"

using Quor::ComPtr;

namespace {

using MakeEnumerator = std::function<ComPtr<ICalcEnum>()>;

// An enumerator starts with the one reference its class object hands out.
template <class Enumerator>
ComPtr<ICalcEnum> Make() {
  ComPtr<ICalcEnum> enumerator;
  enumerator.Attach(new Enumerator(nullptr));
  return enumerator;
}

const MakeEnumerator kEnumerators[] = {
    Make<Rhyth::FiducialEnumeratorObject>,
    Make<Rhyth::SelectorEnumeratorObject>,
};

HRESULT SetParams(ICalcEnum* enumerator, const Quor::String& text) {
  IQuorString* object = text.GetInterface();
  const HRESULT hr = enumerator->SetParams(object);
  object->Release();
  return hr;
}

Quor::String Params(ICalcEnum* enumerator) {
  IQuorString* text = nullptr;
  if (enumerator->GetParams(&text) != S_OK) std::abort();
  Quor::String result;
  result.Adopt(text);
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const MakeEnumerator& make = kEnumerators[data[0] % std::size(kEnumerators)];
  const Quor::String text(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  const ComPtr<ICalcEnum> enumerator = make();
  if (SetParams(enumerator.Get(), text) != S_OK) return 0;
  const Quor::String written = Params(enumerator.Get());
  const ComPtr<ICalcEnum> again = make();
  // The written text is the algorithm's part; the host puts the leading number before it.
  Quor::String full(u"0 ");
  full += written;
  if (SetParams(again.Get(), full) != S_OK) std::abort();
  if (!(Params(again.Get()) == written)) std::abort();
  return 0;
}
