// The class object of the analysis document ("Rhyth2 Document"), which module registration
// creates and hands to the host's class registry; the host creates one analysis document per
// data document through it.
#pragma once

#include "analysis/document/document.h"
#include "hostframework/document/tarn_document_class.h"

namespace Rhyth {

using DocumentClass = TarnDocumentClass<Document>;

// A new class object with one reference for the caller.
DocumentClass* NewDocumentClass();

}  // namespace Rhyth
