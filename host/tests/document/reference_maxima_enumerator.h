// A small calculated event enumerator that the tests register with the host as a module
// registers its own, built on the module's enumerator framework: for each event of a reference
// channel, the largest sample of a signal channel within half a window either side. Formulas
// call it "RefMax(signal, reference, width in s[, limit range])". Its events are 80-byte
// records, as beats are, and each says whether the enumerator reached the document's child data
// of kProbeChildDataType through its sources.
#pragma once

#include <string>

#include "platform/pendrel/calc_enum.h"
#include "platform/pendrel/class_registry.h"

namespace DocumentTest {

constexpr DWORD kProbeChildDataType = 0x7E5A0002;

struct ReferenceMaximum {
  LONG tick;  // of the largest sample
  float fraction;
  double value;         // the signal there
  LONG reference;       // the reference event's tick
  DWORD childDataSeen;  // 1 when the sources led to the document's child data
  BYTE reserved[56];
};
static_assert(sizeof(ReferenceMaximum) == 80);

// The class object, which lives as long as the process, as a module's do.
class ReferenceMaximaClass;
ReferenceMaximaClass& TheReferenceMaximaClass();
// What the class object registers with: its ITarnClassObject face.
ITarnClassObject* ClassObjectOf(ReferenceMaximaClass& classObject);
// The parameter text of the last enumerator it created.
std::u16string LastCreationText(const ReferenceMaximaClass& classObject);

}  // namespace DocumentTest
