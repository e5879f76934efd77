// The accessors find the host's services when the host registered none: they load the
// framework library from the executable's folder, once.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/framework/call_log.h"
#include "hostframework/class_object_list.h"
#include "hostframework/document/tarn_message_box.h"
#include "hostframework/host_services.h"
#include "platform/win32/com_object.h"
#include "platform/win32/com_runtime.h"
#include "platform/win32/libraries.h"
#include "platform/win32/message_box.h"

namespace {

std::vector<DWORD> constructed;

// A class object that links itself at load time, as the module's static class objects do.
template <DWORD Type>
class StaticClassObject final : public NoDeleteUnknownImp1<ITarnClassObject>, public TarnClassObject {
 public:
  StaticClassObject() { constructed.push_back(Type); }
  ITarnClassObject* GetClassObjectInterface() override { return this; }
  HRESULT GetTypeId(DWORD* type) override {
    *type = Type;
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    *category = GUID_NULL;
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    *name = nullptr;
    return S_OK;
  }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }
};

StaticClassObject<0x7A010000> first;
StaticClassObject<0x7A020000> second;
StaticClassObject<0x7A030000> third;

TEST(HostServiceAccess, LoadsTheFrameworkOnceAndKeepsEveryService) {
  // The thread has OLE already: the module's own initialisation then answers S_FALSE, which
  // is no failure.
  ASSERT_EQ(OleInitialize(nullptr), S_OK);
  ITarnClassRegistry* registry = GetTarnClassRegistry();
  ASSERT_NE(registry, nullptr);
  EXPECT_EQ(GetTarnClassRegistry(), registry);
  EXPECT_NE(GetTarnIdRegistry(), nullptr);
  EXPECT_NE(GetTarnEventManager(), nullptr);
  EXPECT_NE(GetTarnMessageService(), nullptr);
  EXPECT_NE(GetTarnMessageValueService(), nullptr);
  EXPECT_EQ(GetTarnMessageValueService(), GetTarnMessageValueService());
  EXPECT_NE(GetTarnSharedService(), nullptr);
  // The library's entry was used once, however many services were asked for.
  EXPECT_EQ(Tarn::CountCalls("Library.DllGetClassObject"), 1u);
  EXPECT_EQ(Tarn::CountCalls("ClassRegistry.CreateObject"), 2u);
  // No host application without a host to make one.
  EXPECT_EQ(GetTarnHostApp(), nullptr);
  EXPECT_EQ(Tarn::CountCalls("Library.DllGetClassObject"), 1u);
}

TEST(ClassObjectList, RegistersInReverseConstructionOrder) {
  EXPECT_EQ(constructed, (std::vector<DWORD>{0x7A010000, 0x7A020000, 0x7A030000}));
  Tarn::ClearRecordedCalls();
  RegisterClassObjects();
  std::vector<std::string> registered;
  for (const Tarn::CallRecord& call : Tarn::RecordedCalls()) {
    if (call.operation == "RegisterClassObject") registered.push_back(call.arguments);
  }
  EXPECT_EQ(registered, (std::vector<std::string>{"type=0x7A030000", "type=0x7A020000",
                                                  "type=0x7A010000"}));
  EXPECT_LE(Tarn::CountCalls("Library.DllGetClassObject"), 1u);
}

TEST(HostServiceAccess, ALibraryWithoutTheEntryIsReportedAndTheHostRunsOn) {
  WCHAR executable[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, executable, MAX_PATH);
  std::u16string path(executable, n);
  path = path.substr(0, path.rfind(u'/') + 1) + u"libplatform_owl.so";
  win32::ClearShownMessageBoxes();
  LoadTarnFrameworkLibraryFrom(path);  // returns: the process is not ended
  const auto boxes = win32::ShownMessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Pendrel failed to load " + path);
  EXPECT_EQ(boxes[0].caption, u"Pendrel load failed");
  LoadTarnFrameworkLibraryFrom(path + u".missing");
  EXPECT_EQ(win32::ShownMessageBoxes().size(), 2u);
}

// Nobody can answer a box without a host application: it counts as cancelled, which never
// agrees to what the box asks (clearing the user's beat edits, say).
TEST(MessageBoxes, WithoutAHostApplicationCountAsCancelled) {
  win32::ClearShownMessageBoxes();
  EXPECT_EQ(TarnMessageBox(u"Delete the analysis?", u"Rhyth", MB_OKCANCEL, 0), IDCANCEL);
  EXPECT_TRUE(win32::ShownMessageBoxes().empty());
  win32::ClearShownMessageBoxes();
}

TEST(GuidIds, AreAskedOncePerGuid) {
  static constexpr GUID family = win32::ParseGuid("6a0e8c53-3a56-4c61-9d0b-9ff7cc1f2b41");
  const WORD id = GetTarnGuidId(family);
  EXPECT_NE(id, 0);
  EXPECT_EQ(GetTarnGuidId(family), id);
}

}  // namespace
