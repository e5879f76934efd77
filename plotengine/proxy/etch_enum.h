// The label face of a plot's data series: the views' float enumerators answer it by
// QueryInterface, and the plot model asks it for the text of one element (click events,
// label requests). Reference counted like any COM face; the series owns it.
#pragma once

#include "core/iquor_string.h"

namespace Quor {

struct IEtchEnum : IUnknown {
  PLATFORM_INTERFACE_ID("6b1f3c2a-8d47-4e95-a0c3-52e9d1b7f604");
  using Base = IUnknown;
  // The label of element i, with one reference; an index outside the series gives the empty
  // text.
  virtual HRESULT LabelAt(int i, IQuorString** label) = 0;

 protected:
  ~IEtchEnum() = default;
};

}  // namespace Quor
