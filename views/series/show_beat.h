// Asks the host to show a beat of the recording: a show-comment message naming a comment at
// the beat's record and tick, sent by the analysis document to the root of its handler tree.
#pragma once

#include "hostframework/message_sender.h"

namespace Rhyth {

void ShowBeatInHost(TarnMessageSender& sender, LONG record, LONG tick);

}  // namespace Rhyth
