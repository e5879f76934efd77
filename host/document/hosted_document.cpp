#include "host/document/hosted_document.h"

#include <algorithm>
#include <mutex>

#include "host/document/host_words.h"
#include "host/framework/call_log.h"
#include "host/framework/host_text.h"
#include "host/framework/registered_classes.h"

namespace PendrelHost {

namespace {

// The open documents, the active one last. Only the host's thread changes it; the lock keeps
// a command from another thread from seeing it half-changed.
struct OpenDocuments {
  std::mutex mutex;
  std::vector<HostedDocument*> documents;
};

OpenDocuments& Open() {
  static OpenDocuments open;
  return open;
}

std::u16string NameOf(ICustomDocClass* documentClass) {
  IQuorString* name = nullptr;
  if (FAILED(documentClass->GetClassName(&name)) || !name) return {};
  Tarn::HeldReference<IQuorString> held(name);
  return Tarn::TextOf(name);
}

}  // namespace

HostedDocument::HostedDocument(Tarn::HeldReference<IUnknown> data)
    : m_data(std::move(data)), m_manager(new AnalysisManager(ChildDocumentWord(0))) {
  Data().SetChildData(ChildDocumentWord(0), m_manager.get());
  CreateModules();
  Activate();
}

HostedDocument::~HostedDocument() {
  {
    std::lock_guard lock(Open().mutex);
    std::erase(Open().documents, this);
  }
  Close();
}

void HostedDocument::CreateModules() {
  for (const auto& classObject : Tarn::RegisteredClassObjects()) {
    ICustomDocClass* documentClass = nullptr;
    if (FAILED(classObject->QueryInterface(ICustomDocClass::iid,
                                           reinterpret_cast<void**>(&documentClass)))) {
      continue;
    }
    HostedModule module;
    module.documentClass.reset(documentClass);
    module.className = NameOf(documentClass);
    documentClass->GetTypeId(&module.type);
    ICustomDocument2* document = nullptr;
    Tarn::RecordCall("HostedDocument", "CreateDocument", Tarn::Utf8(module.className));
    if (FAILED(documentClass->CreateDocument(0, Data().Identity(), nullptr, &document, 0)) ||
        !document) {
      continue;
    }
    module.document.reset(document);
    m_modules.push_back(std::move(module));
  }
}

void HostedDocument::StartNew() {
  for (const HostedModule& module : m_modules) {
    for (const auto& part : PersistentParts(module.document.get())) part->InitNew();
  }
  AnnounceAttached();
}

void HostedDocument::AnnounceAttached() {
  // The data document object, twice, each as a pointer in two words.
  const auto pointer = reinterpret_cast<std::uintptr_t>(Data().Identity());
  const DWORD low = DWORD(pointer);
  const DWORD high = DWORD(pointer >> 32);
  Data().Raise(kHostEventDocumentAttached, {low, high, low, high});
}

void HostedDocument::Close() {
  std::vector<HostedModule> closing;
  closing.swap(m_modules);
  for (HostedModule& module : closing) module.document->Close();
  // A module document that kept its online subscription past Close is let go all the same.
  if (m_data) Data().DropSinks();
  closing.clear();
}

void HostedDocument::AskClients(DWORD managerEvent) {
  Data().Raise(ChildDocumentWord(managerEvent));
}

void HostedDocument::Activate() {
  std::lock_guard lock(Open().mutex);
  std::erase(Open().documents, this);
  Open().documents.push_back(this);
}

ICustomDocument2* HostedDocument::ModuleOfType(DWORD type) const {
  const auto found = std::find_if(m_modules.begin(), m_modules.end(),
                                  [&](const HostedModule& module) { return module.type == type; });
  return found == m_modules.end() ? nullptr : found->document.get();
}

std::vector<Tarn::HeldReference<IPersistStreamInit>> PersistentParts(ICustomDocument2* document) {
  std::vector<Tarn::HeldReference<IPersistStreamInit>> parts;
  for (DWORD part = 0; document; ++part) {
    IUnknown* object = nullptr;
    const HRESULT hr = document->GetPersistObject(part, kPersistStreamKind, 0, &object, nullptr);
    Tarn::HeldReference<IUnknown> held(object);
    if (hr != S_OK || !object) break;
    IPersistStreamInit* persist = nullptr;
    if (FAILED(object->QueryInterface(IPersistStreamInit::iid,
                                      reinterpret_cast<void**>(&persist)))) {
      break;
    }
    parts.emplace_back(persist);
  }
  return parts;
}

HostedDocument* ActiveDocument() {
  std::lock_guard lock(Open().mutex);
  return Open().documents.empty() ? nullptr : Open().documents.back();
}

void HostedDocument::SetRecordingFile(std::filesystem::path file) {
  Data().TimeText().SetName(file.filename().u16string());
  m_recordingFile = std::move(file);
}

}  // namespace PendrelHost
