// The process-wide list of a module's message classes. Each message class object links itself
// in from its constructor (static construction, at load), so the list is walked newest first;
// module registration hands every member to the host's message factory once.
#pragma once

#include "platform/pendrel/messages.h"

class LinkedMessageClass {
 public:
  LinkedMessageClass(const LinkedMessageClass&) = delete;
  LinkedMessageClass& operator=(const LinkedMessageClass&) = delete;

  // The message class object's face (no reference added).
  virtual IMsgIdMessageClassObject* GetMessageClassInterface() = 0;
  LinkedMessageClass* Next() const { return m_next; }

 protected:
  LinkedMessageClass();
  ~LinkedMessageClass() = default;

 private:
  LinkedMessageClass* m_next;
};

LinkedMessageClass* GetMessageClassListHead();

// Registers every linked message class with the host's message factory; the factory's answers
// are not examined.
void RegisterMessageClasses();
