// A module document that lives as a child of a host recording document: at construction it
// fetches, once, the host objects it works with (the recording document, the data document
// with its data interface, the sampling controller, the selection) and keeps them until it
// closes or goes. A missing host object leaves every one of them null.
#pragma once

#include "hostframework/document/tarn_document.h"
#include "platform/pendrel/data_source.h"
#include "platform/pendrel/recording_document.h"

class PendrelChildDocument : public TarnDocument {
 public:
  PendrelChildDocument(IUnknown* parent, IUnknown* host, DWORD tag, DWORD word);

  HRESULT Close() override;

  // The child data object of `type` on the data document, as interface `iid`; null when
  // there is none.
  HRESULT GetChildData(DWORD type, REFIID iid, void** object);

  // What the host's sampling controller answers; false without one.
  bool IsHostBusy();

  IPendrelRecordingDocument* RecordingDocument() const { return m_recording.Get(); }
  IUnknown* DataDocument() const { return m_dataDocument.Get(); }
  IPendrelDataSource* DataSource() const { return m_dataSource.Get(); }
  IPendrelSamplingController* SamplingController() const { return m_sampling.Get(); }
  IPendrelSelection* Selection() const { return m_selection.Get(); }

 protected:
  ~PendrelChildDocument() override;

 private:
  Quor::ComPtr<IPendrelRecordingDocument> m_recording;
  Quor::ComPtr<IUnknown> m_dataDocument;
  Quor::ComPtr<IPendrelDataSource> m_dataSource;
  Quor::ComPtr<IPendrelSamplingController> m_sampling;
  Quor::ComPtr<IPendrelSelection> m_selection;
};
