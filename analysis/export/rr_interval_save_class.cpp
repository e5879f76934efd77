#include "analysis/export/rr_interval_save_class.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/document/document.h"
#include "analysis/document/document_ids.h"
#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "platform/pendrel/file_export.h"
#include "platform/win32/com_object.h"
#include "platform/win32/storage_errors.h"

namespace Rhyth {

namespace {

using RRIntervalTypeId = TypeIdClass<&GUID_RhythDocumentObj, 4>;

// Written beside the target and moved into its place, so that a failed export leaves no
// partial file and an earlier file as it was.
HRESULT WriteFileWhole(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::path partial = path;
  partial += ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      return STG_E_WRITEFAULT;
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::filesystem::remove(partial, error);
    return STG_E_WRITEFAULT;
  }
  return S_OK;
}

}  // namespace

class RRIntervalSaveClassObject final
    : public SimpleUnknownImp2<ITarnClassObject, ITarnFileExport, 1> {
 public:
  HRESULT GetTypeId(DWORD* type) override {
    if (!type) return E_POINTER;
    *type = RRIntervalSaveTypeWord();
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    if (!category) return E_POINTER;
    *category = GUID_RhythDocumentObj;
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    if (!name) return E_POINTER;
    *name = Name().GetInterface();
    return S_OK;
  }
  HRESULT IsCategory(REFGUID category) override {
    return category == GUID_RhythDocumentObj ? S_OK : S_FALSE;
  }

  HRESULT GetFormatName(BSTR* name) override {
    if (!name) return E_POINTER;
    *name = SysAllocString(Name().ToStdWString().c_str());
    return S_OK;
  }

  HRESULT ExportDocument(IUnknown* document, LPCWSTR path) override {
    if (!document || !path) return E_POINTER;
    try {
      Quor::ComPtr<IRhythDocument> rhyth;
      if (FAILED(document->QueryInterface(IRhythDocument::iid,
                                          Quor::ComPtrOut<IRhythDocument>::Bind(rhyth)))) {
        return E_INVALIDARG;
      }
      // The document is the only implementation of its identity interface.
      Document& analysis = *static_cast<Document*>(rhyth.Get());
      std::wostringstream text;
      if (analysis.Engine().WriteRRIntervals(text) != 0) return S_FALSE;
      // Numbers and line ends only: every character is ASCII.
      const std::wstring wide = text.str();
      const std::string ascii(wide.begin(), wide.end());
      return WriteFileWhole(std::filesystem::path(Quor::String(path).ToUtf8String()), ascii);
    } catch (...) {
      return E_FAIL;
    }
  }

 private:
  static const Quor::String& Name() {
    static const Quor::String name(u"RR Intervals (*.txt)");
    return name;
  }
};

DWORD RRIntervalSaveTypeWord() {
  // Asked of the host once per process, as every type word of the analysis.
  static const DWORD word = RRIntervalTypeId::Id();
  return word;
}

ITarnClassObject* NewRRIntervalSaveClass() {
  return static_cast<ITarnClassObject*>(new RRIntervalSaveClassObject);
}

}  // namespace Rhyth
