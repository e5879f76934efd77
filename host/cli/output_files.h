// The files the command line writes for the user. Each is written whole beside its target and
// then moved over it, so that a file of the target's name is only ever a complete one and a
// failure leaves whatever stood there as it was. Targets are checked before anything is
// analysed, so a long analysis does not end in an output that could never be written.
#pragma once

#include <filesystem>
#include <string>

namespace PendrelHost {

// Throws SessionError saying why `path` cannot be written: it is a folder, its folder is
// missing or is no folder, or no file can be made there.
void CheckOutputFile(const std::filesystem::path& path);

// Throws SessionError when writing `target` would replace what is being analysed: the file
// `source` or a file its recording is read from. A saved document may be saved over itself
// (`savingDocument`), as saving it again does.
void CheckNotOverSource(const std::filesystem::path& target, const std::filesystem::path& source,
                        bool savingDocument);

// Why no file can be made in `folder`; empty when one can.
std::string FolderUnwritableReason(const std::filesystem::path& folder);

// The name a file is written under before it is moved over `path`, in the same folder.
std::filesystem::path PartialPathOf(const std::filesystem::path& path);

// Moves a finished file into place; the partial file is gone either way. Throws SessionError.
void MoveIntoPlace(const std::filesystem::path& partial, const std::filesystem::path& path);

// `bytes` as the whole of `path`, written under its partial name first. Throws SessionError.
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);

// A partial file that goes with the scope unless it was moved into place.
struct PartialFile {
  std::filesystem::path path;
  ~PartialFile();
};

}  // namespace PendrelHost
