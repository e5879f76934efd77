#include "analysis/detection/enumerator_classes.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "analysis/rhyth_guids.h"
#include "analysis/tests/beat_recording.h"
#include "platform/win32/bstr.h"

namespace {

using Rhyth::FiducialEnumClass;
using Rhyth::SelectorEnumClass;

// Class objects live as long as the module; these live as long as the test program.
FiducialEnumClass& FiducialClass() {
  static FiducialEnumClass object(Rhyth::FiducialEnumDescriptor());
  return object;
}

SelectorEnumClass& SelectorClass() {
  static SelectorEnumClass object(Rhyth::SelectorEnumDescriptor());
  return object;
}

std::string Text(IQuorString* text) {
  Quor::String held;
  held.Adopt(text);
  return held.ToUtf8String();
}

std::string Text(const WCHAR* text) { return Quor::String(text).ToUtf8String(); }

struct Parameter {
  const char* name;
  double minimum, maximum;
  DWORD kind;
};

void ExpectParameters(ICalcNumericParamsFuncClass* function,
                      const std::vector<Parameter>& expected) {
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    CalcNumericParamInfo info{};
    ASSERT_EQ(function->GetParamInfo(LONG(i), &info), S_OK);
    EXPECT_EQ(Text(info.name), expected[i].name);
    EXPECT_EQ(info.minimum, expected[i].minimum);
    EXPECT_EQ(info.maximum, expected[i].maximum);
    EXPECT_EQ(info.kind, expected[i].kind);
  }
  CalcNumericParamInfo info{};
  EXPECT_EQ(function->GetParamInfo(LONG(expected.size()), &info), E_INVALIDARG);
  EXPECT_EQ(function->GetParamInfo(-1, &info), E_INVALIDARG);
}

TEST(EnumeratorClasses, PublishTheParametersWithTheirRangesAndKinds) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  constexpr DWORD kSampled = 0x80000000, kOther = 0x40000000;
  ExpectParameters(&FiducialClass(), {{"Signal", 0, 0, kSampled},
                                      {"Reference", 0, 0, kOther},
                                      {"Width[s]", 0.01, 10, kOther},
                                      {"Type", 0, 1, kOther},
                                      {"MinRR[s]", 0, 60, kOther},
                                      {"MaxRR[s]", 0, 60, kOther},
                                      {"MinFF", 0, 10, kOther},
                                      {"MaxFF", 0, 10, kOther},
                                      {"LimitStartRecord", -1, kLargest, kOther},
                                      {"LimitStartOffset", -1, kLargest, kOther},
                                      {"LimitEndRecord", -1, kLargest, kOther},
                                      {"LimitEndOffset", -1, kLargest, kOther},
                                      {"ExcludeEctopic", 0, 1, kOther}});
  ExpectParameters(&SelectorClass(), {{"Source", 0, 0, kOther},
                                      {"Type", 0, 5, kOther},
                                      {"Interpolate", 0, 1, kOther}});
}

TEST(EnumeratorClasses, DescribeThemselvesAndTheirOutput) {
  const struct {
    CalcEnums::CalcEnumClassBase2* object;
    const char* name;
    const char* description;
    const char* output;
    DWORD typeNumber;
    LONG parameters;
    LONG channels;
  } cases[] = {
      {&FiducialClass(), "RhythFiducialEnum",
       "Detect fiducial points around a given reference event.", "Fiducial", 0, 13, 2},
      {&SelectorClass(), "RhythSelectorEnum", "Selects a single Rhyth parameter",
       "RhythSelector", 2, 3, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ICalcEnumClass2* object = c.object;
    IQuorString* text = nullptr;
    ASSERT_EQ(object->GetClassName(&text), S_OK);
    EXPECT_EQ(Text(text), c.name);
    ASSERT_EQ(object->GetDescription(&text), S_OK);
    EXPECT_EQ(Text(text), c.description);
    // A name already in the out place is freed first (the leak check would tell).
    BSTR name = SysAllocString(u"earlier");
    ASSERT_EQ(object->GetName(&name), S_OK);
    EXPECT_EQ(Text(name), c.name);
    SysFreeString(name);

    DWORD type = 0, enumType = 1, reserved = 1;
    ASSERT_EQ(object->GetTypeId(&type), S_OK);
    EXPECT_EQ(type, (DWORD(GetTarnGuidId(Rhyth::GUID_RhythEnumObj)) << 16) | c.typeNumber);
    ASSERT_EQ(object->GetEnumTypeId(&enumType), S_OK);
    EXPECT_EQ(enumType, 0u);
    EXPECT_EQ(object->GetReservedWord(&reserved), E_NOTIMPL);
    EXPECT_EQ(reserved, 0u);

    ICalcNumericParamsFuncClass* function = c.object;
    LONG outputs = 0;
    ASSERT_EQ(function->GetOutputCount(&outputs), S_OK);
    EXPECT_EQ(outputs, 1);
    ASSERT_EQ(function->GetOutputName(0, &text), S_OK);
    EXPECT_EQ(Text(text), c.output);
    EXPECT_EQ(function->GetOutputName(1, &text), E_INVALIDARG);
    CalcNumericParamsFuncInfo info{};
    ASSERT_EQ(function->GetFuncInfo(&info), S_OK);
    EXPECT_EQ(Text(info.name), c.name);
    EXPECT_EQ(info.typeWord, type);
    EXPECT_EQ(info.parameterCount, c.parameters);
    EXPECT_EQ(info.channelParameterCount, c.channels);
    EXPECT_EQ(info.flags, 0xA0000000u);
    EXPECT_EQ(info.parameterFlags, 0x40000000u);
  }
}

TEST(EnumeratorClasses, ChannelParametersAskForTheirKindOfChannel) {
  constexpr DWORD kSampled = 0x80000000, kEvents = 0x40000000;
  ICalcNumericParamsFuncClass* fiducial = &FiducialClass();
  ICalcNumericParamsFuncClass* selector = &SelectorClass();
  const struct {
    ICalcNumericParamsFuncClass* function;
    LONG index;
    DWORD flags;
    HRESULT expected;
  } cases[] = {
      {fiducial, 0, kSampled | 5, S_OK},   {fiducial, 0, kEvents, S_FALSE},
      {fiducial, 1, kEvents, S_OK},        {fiducial, 1, kSampled, S_FALSE},
      {fiducial, 2, kSampled, E_INVALIDARG}, {selector, 0, kEvents, S_OK},
      {selector, 0, kSampled, S_FALSE},    {selector, 1, kEvents, E_INVALIDARG},
      {selector, -1, kEvents, E_INVALIDARG},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.function->IsChannelApplicable(c.index, c.flags), c.expected)
        << (c.function == fiducial ? "fiducial " : "selector ") << c.index << " 0x" << std::hex
        << c.flags;
  }
}

TEST(EnumeratorClasses, TheTypeWordIsAskedOfTheHostOnceAndKept) {
  static CalcEnums::CalcEnumDescriptor descriptor = Rhyth::SelectorEnumDescriptor();
  descriptor.typeWord = 0;
  static SelectorEnumClass object(descriptor);
  DWORD type = 0;
  ASSERT_EQ(object.GetTypeId(&type), S_OK);
  EXPECT_EQ(descriptor.typeWord, type);
  descriptor.typeWord = 0x12340002;
  ASSERT_EQ(object.GetTypeId(&type), S_OK);
  EXPECT_EQ(type, 0x12340002u);
}

TEST(EnumeratorClasses, AnswerTheirCategoryAndInterfacesAndLiveOn) {
  SelectorEnumClass& object = SelectorClass();
  GUID category{};
  ASSERT_EQ(object.GetCategoryId(&category), S_OK);
  EXPECT_EQ(category, CATID_TarnCalcEnumClass);
  EXPECT_EQ(object.IsCategory(CATID_TarnCalcEnumClass), S_OK);
  EXPECT_EQ(object.IsCategory(Rhyth::GUID_RhythEnumObj), S_FALSE);

  const IID* answered[] = {&IUnknown::iid, &ICalcEnumClass2::iid, &ITarnClassObject::iid,
                           &ICalcNumericParamsFuncClass::iid};
  for (const IID* iid : answered) {
    void* face = nullptr;
    EXPECT_EQ(object.QueryInterface(*iid, &face), S_OK);
    EXPECT_NE(face, nullptr);
  }
  void* face = &object;
  EXPECT_EQ(object.QueryInterface(IEnumEventEx::iid, &face), E_NOINTERFACE);
  EXPECT_EQ(face, nullptr);
  EXPECT_EQ(object.AddRef(), 1u);
  EXPECT_EQ(object.Release(), 1u);

  // The newest class object heads the list that registration walks.
  static FiducialEnumClass newest(Rhyth::FiducialEnumDescriptor());
  ASSERT_EQ(GetClassObjectListHead(), &newest);
  EXPECT_EQ(GetClassObjectListHead()->GetClassObjectInterface(),
            static_cast<ITarnClassObject*>(&newest));
}

TEST(EnumeratorClasses, MakeEnumeratorsWithTheirParameterText) {
  ICalcEnumClass2* object = &FiducialClass();
  Quor::ComPtr<ICalcEnum> enumerator;
  const Quor::String text(u"0 0.2 1 0.4 1.5 0.5 4 0 0 0 0 0");
  IQuorString* params = text.GetInterface();
  ASSERT_EQ(object->CreateEnum(params, 0, Quor::ComPtrOut<ICalcEnum>::Bind(enumerator)), S_OK);
  EXPECT_EQ(RhythTest::ParamsText(enumerator.Get()).ToUtf8String(),
            "0.2 1 0.4 1.5 0.5 4 0 0 2147483647 2147483647 0");
  Quor::ComPtr<ICalcEnumClass2> maker;
  ASSERT_EQ(enumerator->GetClass(Quor::ComPtrOut<ICalcEnumClass2>::Bind(maker)), S_OK);
  EXPECT_EQ(maker.Get(), object);
  DWORD classType = 0, type = 0;
  ASSERT_EQ(enumerator->GetClassTypeWord(&classType), S_OK);
  object->GetTypeId(&type);
  EXPECT_EQ(classType, type);
  params->Release();

  // Without a text the enumerator takes its defaults.
  ASSERT_EQ(object->CreateEnum(nullptr, 0, Quor::ComPtrOut<ICalcEnum>::Bind(enumerator)), S_OK);
  EXPECT_EQ(RhythTest::ParamsText(enumerator.Get()).ToUtf8String(),
            "0 0 0 0 0 0 0 0 2147483647 2147483647 1");

  // A text the enumerator cannot read makes none.
  const Quor::String bad(u"0 wide");
  params = bad.GetInterface();
  ICalcEnum* made = enumerator.Get();
  EXPECT_EQ(object->CreateEnum(params, 0, &made), E_INVALIDARG);
  EXPECT_EQ(made, nullptr);
  params->Release();
}

// An object that holds an enumerator inside it, counting its own references.
class Outer final : public IUnknown {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (iid == IUnknown::iid) {
      *object = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return inner->QueryInterface(iid, object);
  }
  ULONG AddRef() override { return ++count; }
  ULONG Release() override { return --count; }

  IUnknown* inner = nullptr;
  ULONG count = 1;
};

TEST(EnumeratorClasses, MakeEnumeratorsAloneOrInsideAnOuterObject) {
  ICalcEnumClass2* object = &SelectorClass();
  Quor::ComPtr<IEnumEventEx> alone;
  ASSERT_EQ(object->CreateInstance(nullptr, IEnumEventEx::iid,
                                   Quor::ComPtrOut<IEnumEventEx>::Bind(alone)),
            S_OK);
  DWORD size = 0;
  ASSERT_EQ(alone->GetEventSize(&size), S_OK);
  EXPECT_EQ(size, 16u);

  Outer outer;
  ASSERT_EQ(object->CreateInstance(&outer, IUnknown::iid, reinterpret_cast<void**>(&outer.inner)),
            S_OK);
  IUnknown* identity = nullptr;
  ASSERT_EQ(outer.inner->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(&identity)),
            S_OK);
  EXPECT_EQ(identity, outer.inner);
  identity->Release();
  ICalcEnum* calc = nullptr;
  ASSERT_EQ(outer.inner->QueryInterface(ICalcEnum::iid, reinterpret_cast<void**>(&calc)), S_OK);
  EXPECT_EQ(outer.count, 2u);  // the enumerator's faces count on the outer object
  calc->Release();
  EXPECT_EQ(outer.inner->Release(), 0u);

  // Inside an outer object only the inner unknown can be had.
  void* face = &outer;
  EXPECT_EQ(object->CreateInstance(&outer, ICalcEnum::iid, &face), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(face, nullptr);
}

}  // namespace
