// What the module documents of a data document did through the host, kept so that a test (or a
// person at the command line) can see it: the notices they sent to their observers, the views
// they asked the host to open, the persistent parts they announced as changed, the beats they
// asked the host to show and the redraws of the data displays they asked for.
#pragma once

#include <vector>

#include "platform/pendrel/recording_document.h"
#include "platform/win32/types.h"

namespace PendrelHost {

struct DocumentNotice {
  DWORD type;
  DWORD code;
  bool operator==(const DocumentNotice&) const = default;
};

class DocumentLog {
 public:
  void AddNotice(DWORD type, DWORD code) { m_notices.push_back({type, code}); }
  void AddViewRequest(DWORD viewType) { m_views.push_back(viewType); }
  void AddAnnouncement(DWORD part) { m_announcements.push_back(part); }
  void AddShownBeat(PendrelPosition beat) { m_shownBeats.push_back(beat); }
  void AddRedraw(DWORD what) { m_redraws.push_back(what); }

  const std::vector<DocumentNotice>& Notices() const { return m_notices; }
  const std::vector<DWORD>& ViewRequests() const { return m_views; }
  const std::vector<DWORD>& Announcements() const { return m_announcements; }
  const std::vector<PendrelPosition>& ShownBeats() const { return m_shownBeats; }
  const std::vector<DWORD>& Redraws() const { return m_redraws; }
  void Clear() {
    m_notices.clear();
    m_views.clear();
    m_announcements.clear();
    m_shownBeats.clear();
    m_redraws.clear();
  }

 private:
  std::vector<DocumentNotice> m_notices;
  std::vector<DWORD> m_views;
  std::vector<DWORD> m_announcements;
  std::vector<PendrelPosition> m_shownBeats;
  std::vector<DWORD> m_redraws;
};

}  // namespace PendrelHost
