#include "hostframework/saveas/tarn_file_descriptor.h"

#include "hostframework/host_services.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/framework_services.h"

namespace {

void Announce(IUnknown* identity, DWORD code) {
  if (ITarnFrameworkService* tracker = GetTarnFrameworkService()) tracker->TrackObject(identity, code);
}

}  // namespace

TarnFileDescriptor::TarnFileDescriptor(IUnknown* identity, DWORD docTypeId,
                                       Quor::String extension, Quor::String fileTypeName)
    : m_identity(identity),
      m_docTypeId(docTypeId),
      m_extension(std::move(extension)),
      m_fileTypeName(std::move(fileTypeName)) {
  Announce(m_identity, kTarnTrackMade);
}

TarnFileDescriptor::~TarnFileDescriptor() { Announce(m_identity, kTarnTrackDestroyed); }
