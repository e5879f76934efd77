#include "plotengine/etch_file_stream.h"

#include "plotengine/local_page.h"
#include "plotengine/scripts/embedded_scripts.h"
#include "plotengine/scripts/script_sets.h"

namespace Quor {
namespace {

std::string FileBytes(const std::string& name, std::string& mime) {
  std::string data;
  if (name == "local.html") {
    data = BuildLocalPage();
    if (!data.empty()) mime = "text/html";
    return data;
  }
  if (!GetMimeTypeForName(name, mime)) return data;
  unsigned flags = 0;
  if (ParseScriptSetName(name, flags)) {
    AssembleScriptSet(flags, data);
  } else {
    AppendEmbeddedScript(name, data);
  }
  return data;
}

}  // namespace

EtchFileStream::EtchFileStream(const std::string& name, std::string& mime)
    : ByteStringReader(FileBytes(name, mime), E_INVALIDARG) {}

HRESULT EtchFileStream::Read(void* target, DWORD elementSize, DWORD count, DWORD* read) {
  if (!target || !read) return E_INVALIDARG;
  *read = CopyOut(target, static_cast<unsigned long long>(elementSize) * count);
  return S_OK;
}

}  // namespace Quor
