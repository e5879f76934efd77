#include "hostframework/saveas/file_save_as_base.h"

namespace {

HRESULT HandOut(const Quor::String& text, IQuorString** out) {
  if (!out) return E_POINTER;
  *out = text.GetInterface();
  return S_OK;
}

HRESULT HandOut(DWORD word, DWORD* out) {
  if (!out) return E_POINTER;
  *out = word;
  return S_OK;
}

}  // namespace

FileSaveAsBase::FileSaveAsBase(DWORD docTypeId, Quor::String extension,
                               Quor::String fileTypeName)
    : SimpleUnknownImpBase(0),
      m_descriptor(static_cast<IDocFileDescr*>(this), docTypeId, std::move(extension),
                   std::move(fileTypeName)) {}

HRESULT FileSaveAsBase::GetTypeId(DWORD* type) { return HandOut(m_descriptor.DocTypeId(), type); }

HRESULT FileSaveAsBase::GetCategoryId(GUID* category) {
  if (!category) return E_POINTER;
  *category = CATID_TarnFileSaveAsClass;
  return S_OK;
}

HRESULT FileSaveAsBase::GetClassName(IQuorString** name) { return HandOut(ClassName(), name); }

HRESULT FileSaveAsBase::IsCategory(REFGUID category) {
  if (&category == &CATID_TarnFileSaveAsClass) return S_OK;
  return category == CATID_TarnFileSaveAsClass ? S_OK : S_FALSE;
}

HRESULT FileSaveAsBase::SaveAs(IUnknown* application, IAutoQuorString* fileName,
                               IUnknown* reserved, IUnknown* hostDocument) {
  return SaveAs2(application, fileName, reserved, 0, hostDocument);
}

HRESULT FileSaveAsBase::GetExtension(IQuorString** extension) {
  return HandOut(m_descriptor.Extension(), extension);
}

HRESULT FileSaveAsBase::GetFileTypeName(IQuorString** name) {
  return HandOut(m_descriptor.FileTypeName(), name);
}

HRESULT FileSaveAsBase::GetFormatWord(DWORD* word) {
  return HandOut(TarnFileDescriptor::kFormatWord, word);
}

HRESULT FileSaveAsBase::GetDocTypeId(DWORD* type) { return HandOut(m_descriptor.DocTypeId(), type); }

HRESULT FileSaveAsBase::GetVersionWord(DWORD* word) {
  return HandOut(TarnFileDescriptor::kVersionWord, word);
}
