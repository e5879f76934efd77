// The process-wide list of class objects that exist from load time. Each family of class
// objects links its members from its base constructor; module registration walks the list
// once and hands every member to the host's class registry.
#pragma once

#include "platform/pendrel/class_registry.h"

class TarnClassObject {
 public:
  TarnClassObject(const TarnClassObject&) = delete;
  TarnClassObject& operator=(const TarnClassObject&) = delete;

  // The class object's own interface (no reference added).
  virtual ITarnClassObject* GetClassObjectInterface() = 0;
  TarnClassObject* Next() const { return m_next; }

 protected:
  // Puts the link first on the list: the registry later sees the newest member first.
  TarnClassObject();
  ~TarnClassObject() = default;

 private:
  TarnClassObject* m_next;
};

TarnClassObject* GetClassObjectListHead();

// Registers every linked class object with the host's class registry; the results of the
// registry are not examined.
void RegisterClassObjects();
