// The script value bridge without a browser: values, enumerators, the call protocol of Invoke and
// the typed argument readers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/owl/atl_window.h"
#include "plotengine/bridge/script_args.h"
#include "plotengine/bridge/string_enumerators.h"
#include "plotengine/bridge/v8_object_base.h"
#include "plotengine/tests/script_call_arguments.h"
#include "plotengine/bridge/v8_variant_impl.h"

namespace Quor {
namespace {

std::u16string Text(IAutoQuorString* text) {
  const String copy(text);
  text->Release();
  return copy.ToStdWString();
}

struct ValueHolder {
  ValueHolder() : value(V8VariantImpl::Create()) {}
  ~ValueHolder() { value->Release(); }
  V8VariantImpl* value;
};

TEST(ScriptValue, ReportsTheTypeCodeOfEachAlternative) {
  const std::vector<std::pair<std::function<void(V8VariantImpl&)>, int>> cases = {
      {[](V8VariantImpl&) {}, 0},
      {[](V8VariantImpl& v) { v.SetString(String(u"s")); }, 1},
      {[](V8VariantImpl& v) { v.SetDouble(1.5); }, 2},
      {[](V8VariantImpl& v) { v.SetInt(3); }, 3},
      {[](V8VariantImpl& v) { v.SetDoubleArray({1, 2}); }, 4},
      {[](V8VariantImpl& v) { v.SetBool(true); }, 5},
      {[](V8VariantImpl& v) { v.SetObject({{String(u"k"), String(u"v")}}); }, 6},
      {[](V8VariantImpl& v) { v.SetStringArray({String(u"a")}); }, 7},
  };
  for (const auto& [fill, code] : cases) {
    ValueHolder holder;
    fill(*holder.value);
    int type = -1;
    EXPECT_EQ(holder.value->GetType(&type), S_OK);
    EXPECT_EQ(type, code);
  }
}

TEST(ScriptValue, HoldsAModuleLockWhileItLives) {
  const LONG before = ATL::ModuleLockCount();
  V8VariantImpl* first = V8VariantImpl::Create();
  V8VariantImpl* second = V8VariantImpl::Create();
  EXPECT_EQ(ATL::ModuleLockCount(), before + 2);
  first->Release();
  EXPECT_EQ(ATL::ModuleLockCount(), before + 1);
  second->Release();
  EXPECT_EQ(ATL::ModuleLockCount(), before);
}

TEST(ScriptValue, GettersRefuseOtherKindsAndNullOutputs) {
  ValueHolder holder;
  holder.value->SetInt(7);
  double number = 42;
  EXPECT_EQ(holder.value->GetDouble(&number), E_UNEXPECTED);
  EXPECT_EQ(number, 42);
  EXPECT_EQ(holder.value->GetDouble(nullptr), E_POINTER);
  EXPECT_EQ(holder.value->GetType(nullptr), E_POINTER);
  const double* data = nullptr;
  EXPECT_EQ(holder.value->GetDoubleArray(&data, nullptr), E_POINTER);
  IEnumIAutoQuorString* keys = nullptr;
  EXPECT_EQ(holder.value->GetObject(&keys, nullptr), E_POINTER);

  holder.value->SetBoolBits(0x0102);
  VARIANT_BOOL flag = VARIANT_FALSE;
  EXPECT_EQ(holder.value->GetBool(&flag), S_OK);
  EXPECT_EQ(flag, VARIANT_TRUE);

  holder.value->SetDoubleArray({});
  ULONG count = 9;
  data = reinterpret_cast<const double*>(&count);
  EXPECT_EQ(holder.value->GetDoubleArray(&data, &count), S_OK);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(count, 0u);
}

TEST(ScriptValue, ObjectsGiveKeysAndValuesInKeyOrder) {
  ValueHolder holder;
  holder.value->SetObject({{String(u"b"), String(u"2")}, {String(u"a"), String(u"1")}});
  IEnumIAutoQuorString* keys = nullptr;
  IEnumIAutoQuorString* values = nullptr;
  ASSERT_EQ(holder.value->GetObject(&keys, &values), S_OK);
  IAutoQuorString* out[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(keys->Next(2, out, &fetched), S_OK);
  EXPECT_EQ(Text(out[0]), u"a");
  EXPECT_EQ(Text(out[1]), u"b");
  EXPECT_EQ(values->Next(2, out, &fetched), S_OK);
  EXPECT_EQ(Text(out[0]), u"1");
  EXPECT_EQ(Text(out[1]), u"2");
  keys->Release();
  values->Release();
}

TEST(StringEnumerator, NextSkipResetAndCloneFollowTheEnumeratorRules) {
  const std::vector<String> strings = {String(u"x"), String(u"y")};
  IEnumIAutoQuorString* enumerator = EnumerateStrings(strings);
  IAutoQuorString* out[3] = {};
  ULONG fetched = 9;
  EXPECT_EQ(enumerator->Next(3, out, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(Text(out[0]), u"x");
  EXPECT_EQ(Text(out[1]), u"y");
  EXPECT_EQ(enumerator->Next(1, out, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(enumerator->Next(2, out, nullptr), E_POINTER);
  EXPECT_EQ(enumerator->Reset(), S_OK);
  EXPECT_EQ(enumerator->Skip(5), S_FALSE);
  EXPECT_EQ(enumerator->Next(1, out, &fetched), S_FALSE);
  EXPECT_EQ(enumerator->Reset(), S_OK);
  EXPECT_EQ(enumerator->Skip(1), S_OK);
  IEnumIAutoQuorString* clone = nullptr;
  ASSERT_EQ(enumerator->Clone(&clone), S_OK);
  EXPECT_EQ(clone->Next(1, out, nullptr), S_OK);
  EXPECT_EQ(Text(out[0]), u"y");
  clone->Release();
  enumerator->Release();
}

TEST(StringEnumerator, AnArrayEnumeratorStopsAtANullElement) {
  InterfaceArray<IAutoQuorString> names;
  IQuorString* first = String(u"first").GetInterface();
  names.Add(first);
  first->Release();
  names.Add(nullptr);
  IEnumIAutoQuorString* enumerator = EnumerateArray(names);
  IAutoQuorString* out[2] = {};
  ULONG fetched = 9;
  EXPECT_EQ(enumerator->Next(2, out, &fetched), E_POINTER);
  EXPECT_EQ(fetched, 1u);
  EXPECT_EQ(Text(out[0]), u"first");
  enumerator->Release();
}

using PlotEngineTests::ScriptCallArguments;

IQuorV8Variant* StringValue(const char16_t* text) {
  V8VariantImpl* value = V8VariantImpl::Create();
  value->SetString(String(text));
  return value;
}

IQuorV8Variant* NumberValue(double number) {
  V8VariantImpl* value = V8VariantImpl::Create();
  value->SetDouble(number);
  return value;
}

class TestObject : public V8ObjectBase {
 public:
  TestObject() : V8ObjectBase(String(u"test")) {}
  int registrations = 0;
  String third = String(u"default");

 protected:
  void RegisterMethodNames() override {
    ++registrations;
    AddMethodName(String(u"three"));
    AddMethodName(String(u"fails"));
  }
  void CallMethod(IQuorV8Variant** result, IUnknown*, const String& method,
                  InterfaceArray<IQuorV8Variant>& arguments) override {
    const std::u16string name = method.ToStdWString();
    if (name == u"three") {
      String first, second;
      GetScriptArg<ScriptArgKind::String, 0>(arguments, first);
      GetScriptArg<ScriptArgKind::String, 1>(arguments, second);
      GetScriptArg<ScriptArgKind::String, 2>(arguments, third);
      V8VariantImpl* value = V8VariantImpl::Create();
      value->SetString(third);
      *result = value;
    } else if (name == u"fails") {
      throw V8Exception(String(u"it went wrong"), kXQuorMessageIsReport);
    } else if (name == u"bad_alloc") {
      throw std::bad_alloc();
    } else {
      throw std::runtime_error("not a method");
    }
  }
};

struct CallResult {
  HRESULT hr = S_OK;
  std::u16string error;
  int type = -1;
  std::u16string text;
};

CallResult Call(IQuorV8Object* object, const char16_t* method, std::vector<IQuorV8Variant*> values) {
  auto* arguments = new ScriptCallArguments(std::move(values));
  arguments->AddRef();
  IQuorString* name = String(method).GetInterface();
  IAutoQuorString* error = nullptr;
  IQuorV8Variant* result = nullptr;
  CallResult call;
  call.hr = object->Invoke(nullptr, name, arguments, &error, &result);
  name->Release();
  arguments->Release();
  if (error) call.error = Text(error);
  if (result) {
    result->GetType(&call.type);
    IAutoQuorString* text = nullptr;
    if (result->GetString(&text) == S_OK) call.text = Text(text);
    result->Release();
  }
  return call;
}

TEST(ScriptObject, InvokeTurnsEveryOutcomeOfTheMethodIntoAResult) {
  TestObject& object = *new TestObject;
  object.AddRef();
  struct Case {
    const char16_t* method;
    std::vector<IQuorV8Variant*> arguments;
    HRESULT hr;
    std::u16string error;
    int type;
    std::u16string text;
  };
  const Case cases[] = {
      {u"three", {StringValue(u"a"), StringValue(u"b"), StringValue(u"c")}, S_OK, u"", 1, u"c"},
      // The omitted last argument keeps its default; omitting more fails the call.
      {u"three", {StringValue(u"a"), StringValue(u"b")}, S_OK, u"", 1, u"default"},
      {u"three", {StringValue(u"a")}, E_FAIL, u"three: argument 3 must be a string", 0, u""},
      {u"three", {StringValue(u"a"), NumberValue(2)}, E_FAIL, u"three: argument 2 must be a string",
       0, u""},
      {u"fails", {}, S_OK, u"it went wrong", 0, u""},
      {u"bad_alloc", {}, E_OUTOFMEMORY, u"", 0, u""},
      {u"unknown", {}, E_FAIL, u"", 0, u""},
  };
  for (const Case& c : cases) {
    object.third = String(u"default");
    const CallResult call = Call(&object, c.method, c.arguments);
    EXPECT_EQ(call.hr, c.hr) << std::string(c.method, c.method + std::char_traits<char16_t>::length(c.method));
    EXPECT_EQ(call.error, c.error);
    EXPECT_EQ(call.type, c.type);
    EXPECT_EQ(call.text, c.text);
  }
  object.Release();
}

TEST(ScriptObject, InvokeRefusesNullArgumentsAndNamesAreRegisteredOnce) {
  TestObject& object = *new TestObject;
  object.AddRef();
  IAutoQuorString* error = nullptr;
  IQuorV8Variant* result = nullptr;
  IQuorString* name = String(u"three").GetInterface();
  EXPECT_EQ(object.Invoke(nullptr, nullptr, nullptr, &error, &result), E_INVALIDARG);
  auto* arguments = new ScriptCallArguments({});
  arguments->AddRef();
  EXPECT_EQ(object.Invoke(nullptr, name, arguments, nullptr, &result), E_POINTER);
  EXPECT_EQ(object.Invoke(nullptr, name, arguments, &error, nullptr), E_POINTER);
  arguments->Release();
  name->Release();

  for (int round = 0; round < 2; ++round) {
    IEnumIAutoQuorString* names = nullptr;
    ASSERT_EQ(object.GetMethodNames(&names), S_OK);
    IAutoQuorString* out[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(names->Next(3, out, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(Text(out[0]), u"three");
    EXPECT_EQ(Text(out[1]), u"fails");
    names->Release();
  }
  EXPECT_EQ(object.registrations, 1);
  IAutoQuorString* objectName = nullptr;
  ASSERT_EQ(object.GetName(&objectName), S_OK);
  EXPECT_EQ(Text(objectName), u"test");
  object.Release();
}

TEST(ScriptArguments, ReadersTakeEachKindAndLeaveNullEntriesUnchanged) {
  InterfaceArray<IQuorV8Variant> arguments;
  V8VariantImpl* flag = V8VariantImpl::Create();
  flag->SetBool(true);
  V8VariantImpl* numbers = V8VariantImpl::Create();
  numbers->SetDoubleArray({1.5, -0.0});
  IQuorV8Variant* number = NumberValue(2.5);
  arguments.Add(number);
  arguments.Add(numbers);
  arguments.Add(flag);
  arguments.Add(nullptr);
  number->Release();
  numbers->Release();
  flag->Release();

  double read = 0;
  GetScriptArg<ScriptArgKind::Double, 0>(arguments, read);
  EXPECT_EQ(read, 2.5);
  std::vector<double> array;
  GetScriptArg<ScriptArgKind::DoubleArray, 1>(arguments, array);
  EXPECT_THAT(array, ::testing::ElementsAre(1.5, -0.0));
  bool boolean = false;
  GetScriptArg<ScriptArgKind::Boolean, 2>(arguments, boolean);
  EXPECT_TRUE(boolean);
  double untouched = 7;
  GetScriptArg<ScriptArgKind::Double, 3>(arguments, untouched);
  EXPECT_EQ(untouched, 7);
  EXPECT_THROW((GetScriptArg<ScriptArgKind::Double, 4>(arguments, untouched)), BadV8ParamException);
  EXPECT_THROW((GetScriptArg<ScriptArgKind::Boolean, 1>(arguments, boolean)), BadV8ParamException);
}

}  // namespace
}  // namespace Quor
