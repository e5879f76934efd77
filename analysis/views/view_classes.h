// The class objects of the seven analysis views, which module registration hands to the host
// in this order: report, tachogram, spectrum, RR histogram, delta-RR histogram, classifier,
// Poincaré. Each names its view (its title from the module's strings and its class name) and
// counts the views the host opens on it; the views themselves draw nothing in this build.
#pragma once

#include <vector>

#include "hostframework/docview/owl_doc_view_class_base.h"

namespace Rhyth {

// The view class of view number n (0 to 6, as the document's view numbers), with one
// reference for the caller; null for another number. A view whose window is built names the
// maker of its class object here; the others get a class that names its view and makes none.
OwlDocViewClassBase* NewViewClass(DWORD n);

inline constexpr DWORD kViewClassCount = 7;

// Makes the class object of one view, with one reference for the caller.
using ViewClassMaker = OwlDocViewClassBase* (*)();
// Set while the module loads, before registration: from then on NewViewClass(n) uses `make`.
// Returns true, so that a static can hold the call.
bool SetViewClassMaker(DWORD n, ViewClassMaker make);

// What names the view class of view number n: its title's string id and its class name.
struct ViewClassText {
  UINT titleId;
  const char16_t* className;
};
// Null for a number outside 0 to 6.
const ViewClassText* ViewClassTextOf(DWORD n);
// Every view class shows its views in a window of its own.
inline constexpr DWORD kViewClassFlags = 1;

}  // namespace Rhyth
