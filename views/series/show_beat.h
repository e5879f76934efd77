// Asks the host to show a beat of the analysed recording in its data: a show-comment message,
// carrying a comment at the beat's place, sent up the document's handler tree.
#pragma once

#include "platform/win32/types.h"

namespace Rhyth {

class Document;

void ShowBeatInHost(Document& document, LONG record, LONG tick);

}  // namespace Rhyth
