// The notice a pre-release build of the module gives the host when it loads.
#pragma once

#include "core/quor_string.h"

// Whether a version text marks a pre-release build (alpha or beta, not a development build).
bool IsPreReleaseVersionText(const Quor::String& version);

// Reads the module's version resource and, for an alpha or beta build, hands "<description>
// <version>" to the host application's notice operation.
void ShowPreReleaseNotice();
