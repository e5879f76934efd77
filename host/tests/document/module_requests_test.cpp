// What a module asks of the host about what it shows, kept in the document's log: the beats a
// plot asks the host to show (a show-comment message to the document's site) and the redraws
// of the data displays a plot edit asks for.
#include "host/tests/document/document_test_support.h"

#include "host/document/data_document.h"
#include "host/document/document_site.h"
#include "host/tests/document/test_recordings.h"
#include "hostframework/comments/pendrel_comment_base.h"
#include "hostframework/comments/show_comment2_msg.h"

namespace DocumentTest {
namespace {

using ModuleRequests = HostTest;

LONG SendToSite(IMessageHandler* site, IMessage* message) {
  message->AddRef();
  const LONG handled = site->HandleMessage(message);
  message->Release();
  return handled;
}

TEST_F(ModuleRequests, ShowBeatMessagesAreLoggedWithTheBeatsPlace) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  PendrelHost::DataDocument& data = *PendrelHost::AsDataDocument(document.get());
  Tarn::HeldReference<IPendrelDocumentSite> site(new PendrelHost::DocumentSite);
  ASSERT_EQ(site->Attach(nullptr, document.get()), S_OK);
  auto handler = Face<IMessageHandler>(site.get());

  for (const PendrelPosition beat : {PendrelPosition{45, 0}, PendrelPosition{145, 0}}) {
    Quor::ComPtr<IPendrelComment> comment(
        new EventCommentBase(0, 0, beat.record, beat.offset, Quor::String()));
    EXPECT_EQ(SendToSite(handler.get(), new ShowComment2Msg(comment.Get(), kShowComment2Position)),
              1);
  }
  // A show message without a comment shows nothing and is not handled.
  EXPECT_EQ(SendToSite(handler.get(), new ShowComment2Msg(nullptr, kShowComment2Position)), 0);
  EXPECT_EQ(data.Log().ShownBeats(),
            (std::vector<PendrelPosition>{{45, 0}, {145, 0}}));
}

TEST_F(ModuleRequests, RedrawRequestsAreLoggedWithTheirArgument) {
  auto document = PendrelHost::OpenDocument(SmallRecording());
  auto redraw = Face<IPendrelDataRedraw>(document.get());
  EXPECT_EQ(redraw->Redraw(0), S_OK);
  EXPECT_EQ(redraw->Redraw(0), S_OK);
  EXPECT_EQ(PendrelHost::AsDataDocument(document.get())->Log().Redraws(),
            (std::vector<DWORD>{0, 0}));
}

TEST_F(ModuleRequests, TheSitesPropertyObjectIsItsDataDocument) {
  Tarn::HeldReference<IPendrelDocumentSite> site(new PendrelHost::DocumentSite);
  auto hostDocument = Face<IPendrelHostDocument>(site.get());
  IUnknown* properties = nullptr;
  EXPECT_EQ(hostDocument->GetPropertyObject(&properties), E_FAIL);
  EXPECT_EQ(properties, nullptr);

  auto document = PendrelHost::OpenDocument(SmallRecording());
  ASSERT_EQ(site->Attach(nullptr, document.get()), S_OK);
  ASSERT_EQ(hostDocument->GetPropertyObject(&properties), S_OK);
  Tarn::HeldReference<IUnknown> held(properties);
  EXPECT_EQ(PendrelHost::AsDataDocument(properties), PendrelHost::AsDataDocument(document.get()));
  EXPECT_NE(Face<IPendrelPropertyService>(properties).get(), nullptr);
  EXPECT_EQ(hostDocument->GetPropertyObject(nullptr), E_POINTER);
}

}  // namespace
}  // namespace DocumentTest
