// File export class objects: a module offers the host a file format that the analysis of a
// document can be written in; the host's save-as asks the class object to write it.
#pragma once

#include "platform/pendrel/class_registry.h"
#include "platform/win32/bstr.h"

struct ITarnFileExport : IUnknown {
  PLATFORM_INTERFACE_ID("4d1f7a2b-93c6-4e58-a0b1-6c2e9d8f3a74");
  using Base = IUnknown;
  // The format's name as the save-as dialog lists it; the caller frees it.
  virtual HRESULT GetFormatName(BSTR* name) = 0;
  // Writes what the module keeps for `hostDocument` to the file at `path` (UTF-16). S_FALSE
  // when the document has nothing to export; a failure leaves no partial file behind.
  virtual HRESULT ExportDocument(IUnknown* hostDocument, LPCWSTR path) = 0;

 protected:
  ~ITarnFileExport() = default;
};
