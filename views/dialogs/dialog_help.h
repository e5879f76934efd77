// The help of the analysis dialogs: their help buttons ask the host application to open a topic
// of the module's help file, "RhythHelp".
#pragma once

#include "core/quor_string.h"

namespace Rhyth {

// Nothing happens without a host application.
void ShowDialogHelp(const Quor::String& topic);

}  // namespace Rhyth
