// Where a channel calculation finds the classifier limits of the analysis on its data
// document: each analysis document announces itself for the host document it analyses while
// it lives, and the calculation asks by its own host document. Documents are matched by their
// IUnknown identity. Used on the host's thread; guarded anyway, as calculations may be asked
// from elsewhere.
#pragma once

#include <functional>
#include <optional>

#include "analysis/settings/settings.h"
#include "platform/win32/unknown.h"

namespace Rhyth {

// `owner` identifies the announcement for its withdrawal; `limits` is asked each time.
void AnnounceClassifierLimits(IUnknown* hostDocument, const void* owner,
                              std::function<ClassifierLimits()> limits);
void WithdrawClassifierLimits(const void* owner);
// The limits of the analysis on that host document, or nothing when it has none.
std::optional<ClassifierLimits> ClassifierLimitsOf(IUnknown* hostDocument);

}  // namespace Rhyth
