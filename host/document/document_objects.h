// The class registry makes the host's objects behind module documents through these makers:
// the document site (type 0x80000011), the factory of the document class part (type
// 0x80000012) and the empty data document a device fills (type 0x80000020). The framework
// library knows nothing of documents.
#pragma once

namespace PendrelHost {

// Once per process; documents do it when they open.
void AddDocumentObjectMakers();

}  // namespace PendrelHost
