// The host's save-as: the file formats that modules offer for a document, and saving the
// document in one of them. The formats listed are the registered class objects of the save-as
// category whose type word's high half names a kind of module document the data document holds;
// the low half is shown with the format, not matched. Saving calls the class's SaveAs with the
// host application, the file name as a string object, nothing for the unused argument, and the
// host's document object (which gives the module documents by type); whatever the module shows
// goes through the platform's recorded message boxes.
#pragma once

#include <string>
#include <vector>

#include "host/document/hosted_document.h"
#include "platform/pendrel/file_save_as.h"

namespace PendrelHost {

struct SaveAsFormat {
  std::u16string fileTypeName;
  std::u16string extension;
  DWORD typeWord;
  Tarn::HeldReference<IFileSaveAsClass> saveAs;
};

// In the order the classes were registered.
std::vector<SaveAsFormat> SaveAsFormats(const HostedDocument& document);

// The module's answer to SaveAs.
HRESULT SaveDocumentAs(const HostedDocument& document, const SaveAsFormat& format,
                       const std::u16string& fileName);

}  // namespace PendrelHost
