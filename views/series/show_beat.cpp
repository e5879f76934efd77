#include "views/series/show_beat.h"

#include "core/com_ptr.h"
#include "hostframework/comments/pendrel_comment_base.h"
#include "hostframework/comments/show_comment2_msg.h"

namespace Rhyth {

void ShowBeatInHost(TarnMessageSender& sender, LONG record, LONG tick) {
  Quor::ComPtr<IMessageHandler> target;
  target.Attach(sender.GetSendTarget());
  ShowComment2Msg::Send(sender, target.Get(), record, tick, true,
                        [](LONG atRecord, LONG atTick) -> IPendrelComment* {
                          IPendrelComment* comment =
                              new EventCommentBase(0, 0, atRecord, atTick, Quor::String());
                          comment->AddRef();
                          return comment;
                        });
}

}  // namespace Rhyth
