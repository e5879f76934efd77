#include "plotengine/bridge/script_args.h"

#include <algorithm>

namespace Quor {

HRESULT V8VariantToString(IQuorV8Variant* value, String& out) {
  IAutoQuorString* text = nullptr;
  const HRESULT hr = value->GetString(&text);
  if (hr == S_OK) out = String(text);
  if (text) text->Release();
  return hr;
}

HRESULT V8VariantToDoubles(IQuorV8Variant* value, std::vector<double>& out) {
  const double* data = nullptr;
  ULONG count = 0;
  const HRESULT hr = value->GetDoubleArray(&data, &count);
  if (hr == S_OK) out.assign(data, data + (data ? count : 0));
  return hr;
}

}  // namespace Quor
