// The settings dialog's way into the advanced (detection) settings dialog: "Advanced..." hands
// a clone of its settings copy to the runner, which runs the advanced dialog modally over it and
// says whether it ended with OK. Without a runner set (a test sets one), the advanced settings
// dialog itself runs; kept for the process.
#pragma once

#include <functional>

#include "analysis/settings/settings.h"
#include "platform/owl/window.h"

namespace Rhyth {

class Document;

// True when the user accepted the clone's values (OK).
using AdvancedDialogRunner = std::function<bool(OWL::TWindow& parent, Document& document,
                                                Settings& clone, IUnknown* hostData)>;

// An empty runner restores the default.
void SetAdvancedDialogRunner(AdvancedDialogRunner run);
bool RunAdvancedDialog(OWL::TWindow& parent, Document& document, Settings& clone,
                       IUnknown* hostData);

}  // namespace Rhyth
