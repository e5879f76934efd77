// The module object the analysis dialogs are built with: it names the analysis module's
// resources, where their templates, glyphs and texts are. Made on first use, kept for the
// process.
#pragma once

#include "platform/owl/module.h"

namespace Rhyth {

OWL::TModule& DialogResourceModule();

}  // namespace Rhyth
