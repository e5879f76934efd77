#include "analysis/document/document_class.h"

#include "analysis/document/document_ids.h"
#include "platform/pendrel/framework_ids.h"

namespace Rhyth {

namespace {
constexpr DWORD kDocumentClassFlags = 1;
constexpr DWORD kCreationArgument = 0;
}  // namespace

DocumentClass* NewDocumentClass() {
  auto* documentClass =
      new DocumentClass(u"Rhyth2 Document", &GUID_RhythDocumentObj,
                        &GUID_TarnDocumentClassCategory, DocumentTypeId::Id(),
                        kDocumentClassFlags, kCreationArgument);
  documentClass->AddRef();
  return documentClass;
}

}  // namespace Rhyth
