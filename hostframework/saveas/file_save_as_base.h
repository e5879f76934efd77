// The base of a module's save-as class objects: a class object of the save-as category whose
// type word is the document kind it saves, the host's two save operations, and the file format's
// description (IDocFileDescr, from its TarnFileDescriptor). A derived class names itself and
// writes the file in SaveAs2; SaveAs is SaveAs2 with no options. Reference counted from 0: the
// maker takes the first reference, and the object deletes itself when the last one goes.
#pragma once

#include "hostframework/saveas/tarn_file_descriptor.h"
#include "platform/pendrel/file_save_as.h"
#include "platform/win32/com_object.h"

class FileSaveAsBase : public SimpleUnknownImpBase<ITarnClassObject, IFileSaveAsClass,
                                                   IFileSaveAsClass2, IDocFileDescr> {
 public:
  // ITarnClassObject: the type word is the descriptor's document type.
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetCategoryId(GUID* category) override;
  HRESULT GetClassName(IQuorString** name) override;
  HRESULT IsCategory(REFGUID category) override;

  HRESULT SaveAs(IUnknown* application, IAutoQuorString* fileName, IUnknown* reserved,
                 IUnknown* hostDocument) override;

  HRESULT GetExtension(IQuorString** extension) override;
  HRESULT GetFileTypeName(IQuorString** name) override;
  HRESULT GetFormatWord(DWORD* word) override;
  HRESULT GetDocTypeId(DWORD* type) override;
  HRESULT GetVersionWord(DWORD* word) override;

 protected:
  FileSaveAsBase(DWORD docTypeId, Quor::String extension, Quor::String fileTypeName);
  ~FileSaveAsBase() override = default;

  // The class name the host shows for the class object.
  virtual Quor::String ClassName() const = 0;
  const TarnFileDescriptor& Descriptor() const { return m_descriptor; }

 private:
  TarnFileDescriptor m_descriptor;
};
