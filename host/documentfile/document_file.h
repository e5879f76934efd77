// Document files: a data document with its module documents saved to one file and opened again.
// A save writes the whole file beside the old one and then puts it in the old one's place in
// one step, so that a save that fails half-way leaves the earlier file as it was; opening reads
// the file and writes nothing to it.
#pragma once

#include <filesystem>

#include "host/documentfile/document_storage.h"

namespace PendrelHost {

// Throws DocumentFileError naming the file and the reason; the earlier file stays.
void SaveDocumentFile(const HostedDocument& document, const std::filesystem::path& path);

// Throws DocumentFileError naming the file and the reason for a file that is not a document,
// is damaged beyond its parts, or is of a newer format.
OpenedDocument OpenDocumentFile(const std::filesystem::path& path);

// The name a save writes to before the file takes its place.
std::filesystem::path SavingPath(const std::filesystem::path& path);

}  // namespace PendrelHost
