// The host started with the module's classes as loading the module registers them: the
// document class and its messages too, so benchmarks can open analysis documents.
#pragma once

#include "analysis/document/document_class.h"
#include "analysis/messages/document_messages.h"
#include "bench/module_detection.h"
#include "host/document/arithmetic_objects.h"
#include "host/document/document_objects.h"
#include "hostframework/host_services.h"
#include "hostframework/messages/message_class_list.h"

namespace BenchSupport {

inline void StartDocumentHost() {
  StartModuleHost();
  PendrelHost::AddArithmeticObjectMaker();
  PendrelHost::AddDocumentObjectMakers();
  (void)Rhyth::DocumentMessageClasses();
  RegisterMessageClasses();
  Quor::ComPtr<Rhyth::DocumentClass> documentClass;
  documentClass.Attach(Rhyth::NewDocumentClass());
  GetTarnClassRegistry()->RegisterClassObject(documentClass.Get());
}

}  // namespace BenchSupport
