// TarnOwlDocViewClass<W>: the class object through which the host opens views of one analysis
// view type: it names the type (class name, title, type word (view GUID id << 16) | n), makes
// a document-view wrapper W for each view the host opens, lists the interfaces the wrappers
// offer, and keeps the host's command service of the view type. Made at module registration,
// held by the host's class registry through its reference count and never unregistered.
#pragma once

#include "analysis/document/document_ids.h"
#include "analysis/views/view_classes.h"
#include "hostframework/docview/owl_doc_view_class_base.h"
#include "views/classes/tarn_owl_doc_view.h"
#include "views/classes/view_command_service.h"

namespace Rhyth {

template <class W>
class TarnOwlDocViewClass final : public OwlDocViewClassBase {
 public:
  // View number n of the wrapper's view type; with one reference for the caller.
  static TarnOwlDocViewClass* Create(DWORD n) { return new TarnOwlDocViewClass(n); }

  HRESULT CreateView(ITarnViewSite* site, IUnknown* document, IDocView2** view) override {
    if (!view) return E_POINTER;
    *view = new W(document, site);
    (*view)->AddRef();
    return S_OK;
  }
  HRESULT EnumInterfaces(IEnumInterface** interfaces) override {
    return EnumViewInterfaces(interfaces);
  }

  // The host's command service for the view type; null until the host initialised the class.
  ITarnCommandService* CommandService() const { return m_commands.Service(); }

 protected:
  void RegisterCommands(DWORD argument) override {
    QueryViewCommandService(m_commands, TypeWord(), argument, static_cast<IDocViewClass*>(this));
  }

 private:
  explicit TarnOwlDocViewClass(DWORD n)
      : OwlDocViewClassBase(ViewTypeWord(n), ViewTitle(n), &GUID_TarnViewClassCategory,
                            kViewClassFlags, Quor::String(ViewClassTextOf(n)->className)) {
    AddRef();
    AnnounceViewObject(static_cast<IDocViewClass*>(this), kTarnTrackViewClass);
  }

  TarnCommandHolder m_commands;
};

}  // namespace Rhyth
