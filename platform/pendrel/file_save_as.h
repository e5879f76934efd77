// Save-as classes: file formats a module offers the host's save-as. The host lists the class
// objects of the save-as category whose type word names a kind of module document that the data
// document holds, shows each with its file type name and extension (IDocFileDescr), and, when
// the user picks one, asks it to write the file for the data document.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/class_registry.h"
#include "platform/win32/guid.h"

// The category of every save-as class object.
inline constexpr GUID CATID_TarnFileSaveAsClass =
    win32::ParseGuid("7c2e4a91-5d08-4b63-9f1a-e3b6d2c08a57");

// Writes a file. `application` is the host application (it answers ITarnHostApp), `fileName`
// any string object, `reserved` is not used by modules, and `hostDocument` the host's data
// document (it answers IPendrelModuleDocuments).
struct IFileSaveAsClass : IUnknown {
  PLATFORM_INTERFACE_ID("3f9d6b20-8e41-4c7a-b5d3-1a0e7f2c9b64");
  using Base = IUnknown;
  virtual HRESULT SaveAs(IUnknown* application, IAutoQuorString* fileName, IUnknown* reserved,
                         IUnknown* hostDocument) = 0;

 protected:
  ~IFileSaveAsClass() = default;
};

// SaveAs with the host's save options.
struct IFileSaveAsClass2 : IUnknown {
  PLATFORM_INTERFACE_ID("b4a1e7c3-26f9-4d85-8c0b-5e3d9a6f1072");
  using Base = IUnknown;
  virtual HRESULT SaveAs2(IUnknown* application, IAutoQuorString* fileName, IUnknown* reserved,
                          DWORD options, IUnknown* hostDocument) = 0;

 protected:
  ~IFileSaveAsClass2() = default;
};

// How the host lists a file format: its extension (without the dot), the name of its file type,
// a format word, the type word of the document kind it saves, and a version word.
struct IDocFileDescr : IUnknown {
  PLATFORM_INTERFACE_ID("e62b0d84-a3c5-4f17-9e28-7b4f1c5d3a96");
  using Base = IUnknown;
  // A new reference for the caller.
  virtual HRESULT GetExtension(IQuorString** extension) = 0;
  virtual HRESULT GetFileTypeName(IQuorString** name) = 0;
  virtual HRESULT GetFormatWord(DWORD* word) = 0;
  virtual HRESULT GetDocTypeId(DWORD* type) = 0;
  virtual HRESULT GetVersionWord(DWORD* word) = 0;

 protected:
  ~IDocFileDescr() = default;
};
