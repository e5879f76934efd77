// A data document open in the host, with the module documents it hosts: one per registered
// document class, created through the class object over the data document. The host starts
// their persistent parts new or loads them, tells them they are attached, routes the menu
// commands of their classes to them while the document is the active one, and closes and
// releases them before the data document goes. The host application owns it for as long as the
// recording is open.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/document/analysis_manager.h"
#include "host/document/data_document.h"
#include "platform/pendrel/documents.h"
#include "platform/win32/persist_stream.h"

namespace PendrelHost {

struct HostedModule {
  Tarn::HeldReference<ICustomDocClass> documentClass;
  std::u16string className;
  DWORD type = 0;
  Tarn::HeldReference<ICustomDocument2> document;
};

class HostedDocument {
 public:
  // Creates the module documents of every registered document class over the data document
  // and makes the document the active one. Their parts are not started yet.
  explicit HostedDocument(Tarn::HeldReference<IUnknown> data);
  ~HostedDocument();
  HostedDocument(const HostedDocument&) = delete;
  HostedDocument& operator=(const HostedDocument&) = delete;

  // Starts every persistent part of every module document new, then tells them they are
  // attached.
  void StartNew();
  // Raises the attached event for every module document (after their parts were started or
  // loaded).
  void AnnounceAttached();
  // Closes and releases the module documents; the data document stays until this object goes.
  void Close();
  // Makes this the document whose module documents the menu commands reach.
  void Activate();

  DataDocument& Data() const { return *AsDataDocument(m_data.get()); }
  IUnknown* DataObject() const { return m_data.get(); }
  const std::vector<HostedModule>& Modules() const { return m_modules; }
  // The module document of a class type word; null when there is none.
  ICustomDocument2* ModuleOfType(DWORD type) const;
  // The file's analysis manager, and asking its clients to report, clear or analyse again.
  AnalysisManager& Manager() const { return *m_manager; }
  void AskClients(DWORD managerEvent);

  // The file the recording was read from; empty when its samples travel with the document.
  // The data document takes the file's name as its own.
  const std::filesystem::path& RecordingFile() const { return m_recordingFile; }
  void SetRecordingFile(std::filesystem::path file);

 private:
  void CreateModules();

  Tarn::HeldReference<IUnknown> m_data;
  Tarn::HeldReference<AnalysisManager> m_manager;
  std::vector<HostedModule> m_modules;
  std::filesystem::path m_recordingFile;
};

// The persistent parts of a module document: parts 0, 1, ... for as long as it gives one as an
// IPersistStreamInit.
std::vector<Tarn::HeldReference<IPersistStreamInit>> PersistentParts(ICustomDocument2* document);

// The document whose module documents the menu commands reach: the one activated last of those
// still open; null when none is.
HostedDocument* ActiveDocument();

}  // namespace PendrelHost
