#include "host/documentfile/document_file.h"

#include <system_error>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "core/storage/storage_entry_points.h"
#include "host/documentfile/document_file_error.h"

namespace PendrelHost {

namespace {

constexpr DWORD kCreateMode = STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE;
constexpr DWORD kOpenMode = STGM_READ | STGM_SHARE_DENY_WRITE;

std::u16string Wide(const std::filesystem::path& path) {
  return Quor::String(path.string()).ToStdWString();
}

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& why) {
  throw DocumentFileError(path.string() + ": " + why);
}

}  // namespace

std::filesystem::path SavingPath(const std::filesystem::path& path) {
  std::filesystem::path saving = path;
  saving += ".saving";
  return saving;
}

void SaveDocumentFile(const HostedDocument& document, const std::filesystem::path& path) {
  const std::filesystem::path saving = SavingPath(path);
  std::error_code ignored;
  std::filesystem::remove(saving, ignored);
  try {
    {
      Quor::ComPtr<IStorage> root;
      const HRESULT created = StgCreateDocfile(Wide(saving).c_str(), kCreateMode, 0,
                                               Quor::ComPtrOut<IStorage>::Bind(root));
      if (FAILED(created) || !root) Fail(path, "the file could not be created");
      WriteDocument(document, root.Get());
    }
    std::error_code moved;
    std::filesystem::rename(saving, path, moved);
    if (moved) {
      Fail(path, "the saved file could not take the earlier one's place: " + moved.message());
    }
  } catch (const DocumentFileError& error) {
    std::filesystem::remove(saving, ignored);
    if (std::string(error.what()).starts_with(path.string())) throw;
    Fail(path, error.what());
  }
  MarkSaved(document);
}

OpenedDocument OpenDocumentFile(const std::filesystem::path& path) {
  Quor::ComPtr<IStorage> root;
  const HRESULT opened = StgOpenStorage(Wide(path).c_str(), nullptr, kOpenMode, nullptr, 0,
                                        Quor::ComPtrOut<IStorage>::Bind(root));
  if (FAILED(opened) || !root) {
    if (!std::filesystem::exists(path)) Fail(path, "there is no such file");
    Fail(path, "the file is not a document the host can open, or it is damaged");
  }
  try {
    return ReadDocument(root.Get());
  } catch (const DocumentFileError& error) {
    Fail(path, error.what());
  }
}

}  // namespace PendrelHost
