// The view class objects and their document-view wrappers: names, titles and type words; the
// title a wrapper gives the host; and views opened and closed through them, with the tracker's
// announcements balanced and nothing left behind.
#include <gtest/gtest.h>

#include "analysis/document/document_ids.h"
#include "analysis/rhyth_guids.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "hostframework/menu_service.h"
#include "platform/win32/bstr.h"
#include "views/tests/view_host.h"

namespace ViewsTest {
namespace {

std::string DisplayName(IDocViewClass* viewClass) {
  BSTR name = nullptr;
  viewClass->GetDisplayName(&name);
  Quor::String text;
  text.AdoptBSTR(name);
  return text.ToUtf8String();
}

std::string ClassName(IDocViewClass* viewClass) {
  IQuorString* name = nullptr;
  viewClass->GetClassName(&name);
  Quor::String text;
  text.Adopt(static_cast<IAutoQuorString*>(name));
  return text.ToUtf8String();
}

size_t TrackerAnnouncements(DWORD code) {
  const std::string wanted = "code=" + Tarn::HexWord(code);
  size_t count = 0;
  for (const std::string& call : Tarn::RecordedCallTexts()) {
    if (call.starts_with("FrameworkService.TrackObject(") && call.find(wanted) != std::string::npos) {
      ++count;
    }
  }
  return count;
}

std::vector<const IID*> InterfacesOf(IDocViewClass* viewClass) {
  Quor::ComPtr<IEnumInterface> iids;
  EXPECT_EQ(viewClass->EnumInterfaces(Quor::ComPtrOut<IEnumInterface>::Bind(iids)), S_OK);
  std::vector<const IID*> listed(4);
  ULONG fetched = 0;
  EXPECT_EQ(iids->Next(ULONG(listed.size()), listed.data(), &fetched), S_FALSE);
  listed.resize(fetched);
  return listed;
}

class ViewClasses : public ViewHost {};

TEST_F(ViewClasses, NameTheirViewsAndAnswerTheirTypeWords) {
  struct Case {
    DWORD n;
    const char* className;
    const char* title;
  } cases[] = {
      {0, "Rhyth Report View", "Rhyth Report"},
      {1, "Rhyth Tachogram View", "Rhyth Tachogram Plot"},
      {2, "Rhyth Spectrum View", "Rhyth Power Spectrum Plot"},
      {3, "Rhyth RR Histogram View", "Rhyth RR Histogram Plot"},
      {4, "Rhyth Delta RR Histogram View", "Rhyth Delta RR Histogram Plot"},
      {5, "Rhyth Classifier View", "Rhyth Classifier Plot"},
      {6, "Rhyth Poincare View", "Rhyth Poincaré Plot"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    Quor::ComPtr<IDocViewClass> viewClass;
    viewClass.Attach(Rhyth::TarnOwlDocViewClass<SeriesWrapper>::Create(c.n));
    DWORD type = 0;
    viewClass->GetTypeId(&type);
    EXPECT_EQ(type, Rhyth::ViewTypeWord(c.n));
    EXPECT_EQ(type & 0xFFFF, c.n);
    EXPECT_EQ(ClassName(viewClass.Get()), c.className);
    EXPECT_EQ(DisplayName(viewClass.Get()), c.title);
    DWORD flags = 0;
    viewClass->GetFlags(&flags);
    EXPECT_EQ(flags, 1u);
    EXPECT_EQ(InterfacesOf(viewClass.Get()),
              (std::vector<const IID*>{&IDocView2::iid, &IClientWindow::iid}));
  }
}

TEST_F(ViewClasses, FetchTheCommandServiceOfTheViewGuidWhenTheHostInitialisesThem) {
  Rhyth::ViewTypeWord(0);  // names the view GUID to the host
  Quor::ComPtr<IUnknown> hostService;
  ASSERT_EQ(QueryCommandService(hostService, Rhyth::GUID_RhythViewObj, 0, nullptr), S_OK);
  for (DWORD n = 0; n < 7; ++n) {
    SCOPED_TRACE(n);
    auto* viewClass = Rhyth::TarnOwlDocViewClass<SeriesWrapper>::Create(n);
    Quor::ComPtr<IDocViewClass> held;
    held.Attach(viewClass);
    EXPECT_EQ(viewClass->CommandService(), nullptr);
    Tarn::ClearRecordedCalls();
    RegisterViewClass(viewClass);
    EXPECT_EQ(static_cast<IUnknown*>(viewClass->CommandService()), hostService.Get());
    EXPECT_EQ(Tarn::CountCalls("CommandService.QueryCommandService"), 1u);
    EXPECT_EQ(Tarn::CountCalls("IdRegistry.GetGuidOfId"), 1u);
  }
}

TEST_F(ViewClasses, AViewTypeOfAnUnknownGuidGetsNoCommandService) {
  TarnCommandHolder holder;
  const DWORD known = Rhyth::ViewTypeWord(1);
  EXPECT_EQ(Rhyth::QueryViewCommandService(holder, known, 0, nullptr), S_OK);
  EXPECT_NE(holder.Service(), nullptr);
  // An id the host never gave: the earlier service goes and none comes.
  EXPECT_EQ(Rhyth::QueryViewCommandService(holder, 0x00FF0001, 0, nullptr), E_INVALIDARG);
  EXPECT_EQ(holder.Service(), nullptr);
}

TEST_F(ViewClasses, TheWrapperTitleComesFromTheWindowOrTheResource) {
  OpenDocument(false);
  Quor::ComPtr<IDocViewClass> viewClass;
  viewClass.Attach(Rhyth::TarnOwlDocViewClass<ScatterWrapper>::Create(6));
  IDocView2* view = nullptr;
  ASSERT_EQ(viewClass->CreateView(site.Get(), static_cast<Rhyth::IRhythDocument*>(&Analysis()),
                                  &view), S_OK);
  EXPECT_EQ(view->GetTitle(nullptr), S_OK);
  // Before the window: the resource's title, its é one UTF-16 unit.
  BSTR title = SysAllocString(u"earlier");
  EXPECT_EQ(view->GetTitle(&title), S_OK);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(std::u16string(title, SysStringLen(title)), u"Rhyth Poincaré Plot");
  EXPECT_EQ(SysStringLen(title), 19u);
  SysFreeString(title);
  // With the window: the view's own title.
  Quor::ComPtr<IClientWindow> window;
  view->QueryInterface(IClientWindow::iid, Quor::ComPtrOut<IClientWindow>::Bind(window));
  ASSERT_EQ(window->CreateClientWindow(frameHost.Get()), S_OK);
  title = nullptr;
  view->GetTitle(&title);
  EXPECT_EQ(std::u16string(title, SysStringLen(title)), u"Rhyth Poincaré Plot");
  SysFreeString(title);
  window.Clear();
  CloseView(view);
}

TEST_F(ViewClasses, AnEmptyTitleFreesTheOldOneAndLeavesNull) {
  BSTR title = SysAllocString(u"earlier");
  EXPECT_EQ(Rhyth::CopyViewTitle(Quor::String(), &title), S_OK);
  EXPECT_EQ(title, nullptr);
  EXPECT_EQ(Rhyth::CopyViewTitle(Quor::String(u"x"), nullptr), S_OK);
}

TEST_F(ViewClasses, ViewsOpenedAndClosedTwiceLeaveNothingBehind) {
  OpenDocument(true);
  Quor::ComPtr<IDocViewClass> seriesClass, scatterClass;
  seriesClass.Attach(Rhyth::TarnOwlDocViewClass<SeriesWrapper>::Create(1));
  scatterClass.Attach(Rhyth::TarnOwlDocViewClass<ScatterWrapper>::Create(6));
  IUnknown* document = static_cast<Rhyth::IRhythDocument*>(&Analysis());
  Tarn::ClearRecordedCalls();
  for (int round = 0; round < 2; ++round) {
    auto* series = static_cast<SeriesWrapper*>(
        CreateAndShow(seriesClass.Get(), site.Get(), document, frameHost.Get()));
    auto* scatter = static_cast<ScatterWrapper*>(
        CreateAndShow(scatterClass.Get(), site.Get(), document, frameHost.Get()));
    ASSERT_NE(series->View(), nullptr);
    ASSERT_NE(scatter->View(), nullptr);
    EXPECT_TRUE(series->View()->IsUpToDate());
    CloseView(series);
    CloseView(scatter);
  }
  EXPECT_EQ(TrackerAnnouncements(kTarnTrackViewClass), 4u);
  EXPECT_EQ(TrackerAnnouncements(kTarnTrackViewObject), 4u);
  // The document's notices still go out with no view left to hear them.
  Analyse();
}

}  // namespace
}  // namespace ViewsTest
