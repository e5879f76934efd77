// The analysis document as the host runs it: a host started once and reset before every test,
// the module's classes registered as module registration leaves them (the document class, the
// fiducial enumerator, the five message classes), and a data document opened over a recording
// with its analysis document started new.
#pragma once

#include <memory>
#include <vector>

#include "analysis/data/event_id_cache.h"
#include "analysis/document/document.h"
#include "host/document/hosted_document.h"
#include "host/recording/recording.h"
#include "host/tests/document/document_test_support.h"

namespace AnalysisDocumentTest {

using PendrelHost::DocumentNotice;

class AnalysisHost : public DocumentTest::HostTest {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  // Opens a data document over the recording and starts its module documents new.
  PendrelHost::HostedDocument& Open(PendrelHost::Recording recording);
  // The analysis document of the document opened last.
  Rhyth::Document& Analysis();
  PendrelHost::DataDocument& Data() { return hosted->Data(); }
  // The notices the analysis document sent since the log was last cleared, as
  // (start or end, code) pairs: "start 4", "end 4".
  std::vector<std::string> Notices();
  void ClearLog() { Data().Log().Clear(); }
  // Sends a document message through the host, as a menu command or automation does.
  void Send(DWORD messageId);
  Rhyth::Settings& Settings() { return Analysis().GetSettings(); }
  // The event-id cache the analysis document keeps among the data document's child data.
  Quor::ComPtr<Rhyth::IEventIdCache> EventIdCache();

  // What a document keeps: settings, user edits, the event-id cache, the samples and the
  // selection, changed from their defaults and analysed, to hold against the same document
  // read back.
  struct KeptState {
    Quor::ComPtr<Rhyth::Settings> settings;
    std::vector<float> samples;
  };
  KeptState AnalyseAndEdit();
  void ExpectKept(const KeptState& kept);

  std::unique_ptr<PendrelHost::HostedDocument> hosted;
};

// A synthetic ECG (one channel "ECG") of `seconds` at `rate` Hz, 60 beats a minute.
PendrelHost::Recording SyntheticRecording(double seconds = 20.0, double rate = 250.0);

// Two records of the synthetic heart (20 s each), one after the other.
PendrelHost::Recording TwoRecords();

// Settings under which the synthetic heart's beats are normal: its form factor lies below the
// presets' lower limit.
void AcceptSyntheticBeats(Rhyth::Settings& settings);

}  // namespace AnalysisDocumentTest
