// The "PersistMessages" stream of a document file: the state messages the data document keeps,
// in their order. A count, then per message its id, flags, object type and name, the record's
// type word, header word and signature, and the fields the signature names (a word, a double or
// a string record each).
#pragma once

#include <string>
#include <vector>

#include "host/document/persist_message_store.h"
#include "platform/win32/storage.h"

namespace PendrelHost {

// False when the stream did not take all of it.
bool WritePersistMessages(const PersistMessageStore& store, IStream* stream);
// Restores every message that can be read whole; false when some could not be.
bool ReadPersistMessages(IStream* stream, PersistMessageStore& store);

}  // namespace PendrelHost
