// The Tabulon function bases with a probe function over fake host objects: the texts and the
// class object's answers, the dirty mask the setters and Evaluate leave, cancelling, and the
// data face that evaluates only over the document's own record data.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "core/bitset.h"
#include "core/com_ptr.h"
#include "hostframework/tabulon/chan_data_func.h"
#include "hostframework/tabulon/tabulon_func_class.h"
#include "platform/win32/com_object.h"

namespace {

class FakeRecordData final : public SimpleUnknownImp1<IPendrelRecordData, 1> {
 public:
  HRESULT GetIdPair(DWORD* first, DWORD* second) override {
    *first = 7;
    *second = 8;
    return S_OK;
  }
  HRESULT GetChannelTitle(DWORD, DWORD, LONG, IQuorString** title) override {
    *title = Quor::String(u"ECG").GetInterface();
    return S_OK;
  }
  HRESULT GetChannelUnit(DWORD, LONG, DWORD, IUnknown** unit) override {
    *unit = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetDataSource(IUnknown** source) override {
    *source = nullptr;
    return E_NOTIMPL;
  }
};

class FakeHost final : public SimpleUnknownImp1<ITabulonHost, 1> {
 public:
  FakeHost() { data.Attach(new FakeRecordData); }
  HRESULT GetRecordData(IUnknown** out) override {
    *out = data.Get();
    data->AddRef();
    return S_OK;
  }
  HRESULT FillTimeValue(DWORD, LONGLONG, DWORD, LONG, LONG, DWORD, DWORD, VARIANT*) override {
    return E_NOTIMPL;
  }
  Quor::ComPtr<FakeRecordData> data;
};

// Records the dirty mask each calculation sees, and runs a hook during it.
class Probe final : public ChanDataFuncIfRecordDataMatchesDoc {
 public:
  Probe(TabulonFuncClassBase* classObject, IUnknown* host, LONG_PTR x)
      : ChanDataFuncIfRecordDataMatchesDoc(classObject, host, LONG(x)) {}

  std::vector<DWORD> masksSeen;
  std::function<void(Probe&)> during;

 protected:
  HRESULT Calculate() override {
    masksSeen.push_back(DirtyMask());
    if (during) during(*this);
    Value().vt = VT_R8;
    Value().dblVal = 42.0;
    return S_OK;
  }
};

Quor::String Text(UINT id) {
  static const std::map<UINT, const char16_t*> texts = {
      {10, u"Shown"}, {11, u"What it is"}, {20, u"Other"}, {22, u"First alternative"}};
  const auto found = texts.find(id);
  return found == texts.end() ? Quor::String() : Quor::String(found->second);
}

const GUID kFamily = win32::ParseGuid("0c1d2e3f-4a5b-4c6d-8e7f-901a2b3c4d5e");
const TabulonFuncGroup kGroup{&kFamily, 5, u"Group", 2000, Text};

// Made in the test's own scope: the class-object list keeps only what lives as long as it.
struct Classes {
  TabulonFuncClass<Probe> plain{kGroup, {&kFamily, 3, u"Plain", 10}};
  TabulonFuncClass<Probe> unnamed{kGroup, {&kFamily, 4, u"", 20}};
};

Classes& TestClasses() {
  static Classes classes;
  return classes;
}

class TabulonFunctions : public ::testing::Test {
 protected:
  void SetUp() override { host.Attach(new FakeHost); }

  Quor::ComPtr<Probe> Make(TabulonFuncClassBase& classObject) {
    ITabulonFunction* function = nullptr;
    EXPECT_EQ(classObject.CreateFunction(host.Get(), 0, nullptr, &function), S_OK);
    Quor::ComPtr<Probe> probe;
    probe.Attach(static_cast<Probe*>(function));
    return probe;
  }
  std::u16string TextOf(ITabulonFunction* function, LONG index) {
    IQuorString* text = nullptr;
    function->GetText(index, &text);
    Quor::String held;
    held.Adopt(text);
    return held.c_str();
  }

  Quor::ComPtr<FakeHost> host;
};

TEST_F(TabulonFunctions, TextsFallBackToTheDisplayName) {
  const auto plain = Make(TestClasses().plain);
  EXPECT_EQ(TextOf(plain.Get(), 0), u"Shown");
  EXPECT_EQ(TextOf(plain.Get(), 1), u"Shown");
  EXPECT_EQ(TextOf(plain.Get(), 2), u"Shown");
  const auto unnamed = Make(TestClasses().unnamed);
  EXPECT_EQ(TextOf(unnamed.Get(), 0), u"Other");
  EXPECT_EQ(TextOf(unnamed.Get(), 1), u"First alternative");
  EXPECT_EQ(TextOf(unnamed.Get(), 2), u"First alternative");
  // Without an internal name the class is known by its display name.
  IQuorString* name = nullptr;
  TestClasses().unnamed.GetClassName(&name);
  Quor::String held;
  held.Adopt(name);
  EXPECT_EQ(std::u16string(held.c_str()), u"Other");
}

TEST_F(TabulonFunctions, TheClassObjectDescribesItsFunctionAndRefusesWhatItCannotMake) {
  TabulonFuncClassBase& classObject = TestClasses().plain;
  LONG code = 0;
  DWORD flags[2] = {};
  DWORD index = 0;
  EXPECT_EQ(classObject.GetCategoryCode(0, &code), S_OK);
  EXPECT_EQ(code, 2000);
  classObject.GetValueFlags(0, flags);
  EXPECT_EQ(flags[0], 1u);
  EXPECT_EQ(flags[1], 0x2000000u);
  classObject.GetFunctionFlags(0, &index);
  EXPECT_EQ(index, 3u);
  EXPECT_EQ(classObject.IsCategory(CATID_TabulonFunctionClass), S_OK);
  EXPECT_EQ(classObject.IsCategory(kFamily), S_FALSE);

  ITabulonFunction* function = reinterpret_cast<ITabulonFunction*>(1);
  EXPECT_EQ(classObject.CreateFunction(nullptr, 0, nullptr, &function), E_FAIL);
  EXPECT_EQ(function, nullptr);
  EXPECT_EQ(classObject.CreateFunction2(host.Get(), 0, 0, host.Get(), &function), E_FAIL);
  EXPECT_EQ(function, nullptr);
}

TEST_F(TabulonFunctions, SettersMarkOnlyWhatChangedAndReasonZeroRecalculatesEverything) {
  const auto probe = Make(TestClasses().plain);
  IQuorDataFunction* data = probe.Get();
  data->SetSource(0, host->data.Get());
  data->SetSelection(0, 100, 1, 0, 0, 50, 0);
  data->Evaluate(kTabulonEvaluateSelection, 0, 0, nullptr);
  EXPECT_EQ(probe->DirtyMask(), 0u);

  data->SetSelection(0, 100, 1, 0, 0, 50, 0);
  Quor::Bitset none;
  Quor::ComPtr<IQuorBitset> empty;
  empty.Attach(none.GetInterface());
  data->SetChannel(0, empty.Get());
  EXPECT_EQ(probe->DirtyMask(), 0u) << "nothing changed";
  data->SetActivePoint(0, 5, 0, 5, 0, 0, 0);
  EXPECT_EQ(probe->DirtyMask(), kTabulonActivePointChanged);
  data->SetSelection(0, 100, 1, 0, 0, 60, 0);
  EXPECT_EQ(probe->DirtyMask(), kTabulonActivePointChanged | kTabulonSelectionChanged);

  data->Evaluate(kTabulonEvaluateAll, 0, 0, nullptr);
  data->Evaluate(kTabulonEvaluateSelection, 0, 0, nullptr);
  EXPECT_EQ(probe->masksSeen, (std::vector<DWORD>{kTabulonAllChanged, kTabulonAllChanged,
                                                  kTabulonSelectionChanged}));
}

TEST_F(TabulonFunctions, CancellingDuringACalculationAbortsIt) {
  const auto probe = Make(TestClasses().plain);
  probe->SetSource(0, host->data.Get());
  probe->during = [](Probe& p) { p.SetEnabled(TRUE); };
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(probe->Evaluate(kTabulonEvaluateAll, 0, 0, &value), E_ABORT);
  probe->during = nullptr;
  EXPECT_EQ(probe->Evaluate(kTabulonEvaluateAll, 0, 0, &value), S_OK);
  EXPECT_EQ(value.vt, VT_R8);
  EXPECT_EQ(value.dblVal, 42.0);
}

TEST_F(TabulonFunctions, OnlyTheDocumentsOwnRecordDataIsEvaluated) {
  const auto probe = Make(TestClasses().plain);
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(probe->Evaluate(kTabulonEvaluateAll, 0, 0, &value), E_FAIL) << "no source";
  Quor::ComPtr<FakeRecordData> foreign;
  foreign.Attach(new FakeRecordData);
  probe->SetSource(0, foreign.Get());
  EXPECT_EQ(probe->Evaluate(kTabulonEvaluateAll, 0, 0, &value), E_FAIL);
  EXPECT_EQ(value.vt, VT_EMPTY);
  EXPECT_TRUE(probe->masksSeen.empty());
  EXPECT_EQ(probe->GetValue(&value), E_FAIL);
}

TEST_F(TabulonFunctions, AValueThatCannotBeCopiedOutIsAnErrorNotAnException) {
  const auto probe = Make(TestClasses().plain);
  probe->SetSource(0, host->data.Get());
  VARIANT value;
  VariantInit(&value);
  ASSERT_EQ(probe->Evaluate(kTabulonEvaluateAll, 0, 0, &value), S_OK);
  EXPECT_EQ(probe->GetValue(nullptr), E_INVALIDARG);
  EXPECT_EQ(CopyTabulonValue(value, nullptr), E_INVALIDARG);
}

TEST_F(TabulonFunctions, DetachLetsGoOfTheHostObjects) {
  const auto probe = Make(TestClasses().plain);
  probe->SetSource(0, host->data.Get());
  const ULONG held = host->data->AddRef() - 1;
  host->data->Release();
  EXPECT_EQ(probe->Detach(), S_OK);
  EXPECT_EQ(host->data->AddRef() - 1, held - 2) << "the source and the record data";
  host->data->Release();
  VARIANT value;
  VariantInit(&value);
  EXPECT_EQ(probe->Evaluate(kTabulonEvaluateAll, 0, 0, &value), E_FAIL);
}

}  // namespace
