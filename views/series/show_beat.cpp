#include "views/series/show_beat.h"

#include "analysis/document/document.h"
#include "core/com_ptr.h"
#include "hostframework/comments/pendrel_comment_base.h"
#include "hostframework/comments/show_comment2_msg.h"

namespace Rhyth {

void ShowBeatInHost(Document& document, LONG record, LONG tick) {
  Quor::ComPtr<IMessageHandler> target;
  target.Attach(document.GetSendTarget());
  ShowComment2Msg::Send(document, target.Get(), record, tick, true, [](LONG r, LONG offset) {
    IPendrelComment* comment = new EventCommentBase(0, 0, r, offset, Quor::String());
    comment->AddRef();
    return comment;
  });
}

}  // namespace Rhyth
