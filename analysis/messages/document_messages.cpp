#include "analysis/messages/document_messages.h"

#include "hostframework/messages/msg_id_message_class_object.h"

namespace Rhyth {

namespace {

using Quor::MsgIdMessageClassObject;

// Built at load in this order; the message class list is walked in the reverse one.
MsgIdMessageClassObject<AnalyzeMsg> analyzeClass(
    u"Rhyth_Analyze", u"Rhyth", u"Performs the analysis currently set up in the Rhyth module");
MsgIdMessageClassObject<ClearAnalysisMsg> clearAnalysisClass(
    u"Rhyth_ClearAnalysis", u"Rhyth", u"Clears the last analysis performed by Rhyth");
MsgIdMessageClassObject<ReselectAnalyzedRegionMsg> reselectClass(
    u"Rhyth_ReselectAnalyzedRegion", u"Rhyth",
    u"Reselects the data that was used in the last Rhyth analysis");
MsgIdMessageClassObject<ToggleOnlineModeMsg> onlineModeClass(
    u"Rhyth_ToggleOnlineMode", u"Rhyth",
    u"Enables/disables Rhyth from analyzing while sampling");
MsgIdMessageClassObject<ToggleEventMarkersMsg> eventMarkersClass(
    u"Rhyth_ToggleEventMarkers", u"Rhyth",
    u"Enables/disables the event markers appearing on Rhyth events");

}  // namespace

const std::array<IMsgIdMessageClassObject*, 5>& DocumentMessageClasses() {
  static const std::array<IMsgIdMessageClassObject*, 5> classes = {
      &analyzeClass, &clearAnalysisClass, &reselectClass, &onlineModeClass, &eventMarkersClass};
  return classes;
}

}  // namespace Rhyth
