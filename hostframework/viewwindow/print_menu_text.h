// The text of a view's print command in the host's language. The views give their print
// command text in English; a host that runs in Spanish shows "&Imprimir" where the text begins
// with "&Print". Asked each time the host asks for the command's state.
#pragma once

#include "core/quor_string.h"

Quor::String LocalisedPrintMenuText(const Quor::String& text);
