#include "views/base/update_flags.h"

namespace Rhyth {

NoticeUpdate UpdateForNoticeCode(DWORD code) {
  switch (code) {
    case 0:  // a new record while sampling: the plot starts over and follows the data
      return {kResetData | kDefaultRanges | kMarkup, ThrottleChange::kRestart};
    case 1:
      return {kDataChanged, ThrottleChange::kNone};
    case 2:  // sampling stopped
      return {kDataChanged, ThrottleChange::kStop};
    case 3:
      return {kApplyRanges | kMarkup, ThrottleChange::kNone};
    case 4:
      return {kRefreshData | kApplyRanges | kMarkup, ThrottleChange::kNone};
    case 5:
      return {kRefreshData | kMarkup, ThrottleChange::kNone};
    case 6:
      return {kRefreshData | kDefaultRanges | kMarkup, ThrottleChange::kNone};
    default:
      return {0, ThrottleChange::kNone};
  }
}

}  // namespace Rhyth
