#include "hostframework/messages/message_class_list.h"

#include "hostframework/host_services.h"

namespace {

LinkedMessageClass*& Head() {
  static LinkedMessageClass* head = nullptr;
  return head;
}

}  // namespace

LinkedMessageClass::LinkedMessageClass() : m_next(Head()) { Head() = this; }

LinkedMessageClass* GetMessageClassListHead() { return Head(); }

void RegisterMessageClasses() {
  for (LinkedMessageClass* link = Head(); link; link = link->Next()) {
    if (ITarnMessageFactory* factory = GetTarnMessageFactory()) {
      factory->RegisterMessageClass(link->GetMessageClassInterface());
    }
  }
}
