// A hosted document written into a compound file's root storage and read back from one: the
// recording (or where it lies), the persistent parts of every module document, and the child
// data the modules keep with the file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/document/hosted_document.h"
#include "platform/win32/storage.h"

namespace PendrelHost {

// Writes the document into `root` and commits it; the parts keep their dirty flags (a file
// save clears them once the file is safely in place). Throws DocumentFileError.
void WriteDocument(const HostedDocument& document, IStorage* root);

// Clears the dirty flags of every persistent part and stored child data: they are saved.
void MarkSaved(const HostedDocument& document);

struct OpenedDocument {
  std::unique_ptr<HostedDocument> document;
  // What could not be read and was started new instead, one sentence each.
  std::vector<std::string> problems;
};

// Reads a document from `root`, reading nothing but the root: its module documents are
// created through the registered document classes and their parts loaded (a part that cannot
// be read starts new and is named in the problems), then they are told they are attached.
// Throws DocumentFileError when the file is not a document, is of a newer format, or its
// recording cannot be had.
OpenedDocument ReadDocument(IStorage* root);

}  // namespace PendrelHost
