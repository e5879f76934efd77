// Host object type 0x80000012 and the part it makes: the host's side of a module's document
// class, aggregated in the class object. The part answers ITarnCommandHandler for the class and
// routes each command to the class's module document of the active data document; while no
// document of the class is open, nothing handles the command. The part lives as long as its
// class object.
#pragma once

#include "core/non_delegating_unknown.h"
#include "platform/pendrel/commands.h"
#include "platform/pendrel/documents.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class DocumentClassPart final : public ITarnCommandHandler {
 public:
  // `outer` is the class object, which controls the part's life and answers its IUnknown.
  explicit DocumentClassPart(IUnknown* outer);

  // Delegated to the outer object.
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  // 1 (not handled) while no module document of the class is active.
  LONG OnCommand(DWORD id) override;
  LONG OnCommandEnable(DWORD id, ITarnCommandState* state) override;
  LONG OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) override;

  // The part's own IUnknown, which the outer object holds.
  IUnknown* Inner() { return &m_inner; }
  HRESULT InnerQueryInterface(REFIID iid, void** object);
  ULONG InnerAddRef();
  ULONG InnerRelease();

 private:
  ~DocumentClassPart() = default;
  // The command handler of the class's document in the active data document, with a
  // reference; null when there is none.
  ITarnCommandHandler* ActiveHandler();

  IUnknown* m_outer;  // not counted: it owns the part
  Quor::NonDelegatingUnknown<DocumentClassPart> m_inner;
  volatile LONG m_refCount = 1;
};

// The factory the class registry gives out for type 0x80000012.
class DocumentClassFactory final : public SimpleUnknownImp1<IPendrelDocumentClassFactory, 1> {
 public:
  HRESULT CreateInner(IUnknown* outer, DWORD argument, IUnknown** inner) override;
};

}  // namespace PendrelHost
