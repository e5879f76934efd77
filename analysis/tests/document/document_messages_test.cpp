// The five document messages as automation creates them by name and the host writes them down:
// their class objects, creation from automation arguments, and their text forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/document/document_ids.h"
#include "analysis/messages/document_messages.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/framework/host_text.h"
#include "hostframework/host_services.h"
#include "platform/win32/bstr.h"
#include "platform/win32/com_object.h"

namespace AnalysisDocumentTest {
namespace {

class Lines final : public SimpleUnknownImp1<ITarnTextLineWriter, 1> {
 public:
  HRESULT WriteLine(IQuorString* line, DWORD) override {
    lines.push_back(Tarn::Utf8(Tarn::TextOf(line)));
    return S_OK;
  }
  std::vector<std::string> lines;
};

std::string Text(IQuorString* text) {
  Tarn::HeldReference<IQuorString> held(text);
  return Tarn::Utf8(Tarn::TextOf(text));
}

VARIANT Integer(LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT Text(const char16_t* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

using DocumentMessages = AnalysisHost;

TEST_F(DocumentMessages, FiveClassesThatAutomationFindsByName) {
  const char* names[] = {"Rhyth_Analyze", "Rhyth_ClearAnalysis", "Rhyth_ReselectAnalyzedRegion",
                         "Rhyth_ToggleOnlineMode", "Rhyth_ToggleEventMarkers"};
  const auto& classes = Rhyth::DocumentMessageClasses();
  for (DWORD n = 0; n < 5; ++n) {
    IMsgIdMessageClassObject* messageClass = classes[n];
    IQuorString* name = nullptr;
    messageClass->GetName(&name);
    EXPECT_EQ(Text(name), names[n]);
    EXPECT_EQ(messageClass->GetMessageId(), Rhyth::AnalyzeMsg::Id() + n);
    IQuorString* category = nullptr;
    messageClass->GetCategory(&category);
    EXPECT_EQ(Text(category), "Rhyth");
    VARIANT_BOOL isPublic = VARIANT_FALSE;
    DWORD parameters = 9;
    messageClass->IsPublic(&isPublic);
    messageClass->HasParameters(&parameters);
    EXPECT_EQ(isPublic, VARIANT_TRUE);
    EXPECT_EQ(parameters, 0u);

    // Module registration gave the host's factory every class.
    IMsgIdMessageClassObject* found = nullptr;
    auto wanted = DocumentTest::Text(std::u16string(names[n], names[n] + strlen(names[n])));
    ASSERT_EQ(GetTarnMessageFactory()->FindMessageClass(wanted.get(), &found), S_OK);
    EXPECT_EQ(found, messageClass);
    found->Release();
  }
  IQuorString* description = nullptr;
  classes[0]->GetDescription(&description);
  EXPECT_EQ(Text(description), "Performs the analysis currently set up in the Rhyth module");
}

TEST_F(DocumentMessages, AutomationArgumentsNameTheTargetViewOrAreRefused) {
  IMsgIdMessageClassObject* analyze = Rhyth::DocumentMessageClasses()[0];
  VARIANT unknown;
  VariantInit(&unknown);
  unknown.vt = VT_UNKNOWN;
  unknown.punkVal = nullptr;
  VARIANT named = Integer(2);
  DISPID namedId = 1;
  VARIANT two[2] = {Integer(1), Integer(2)};
  VARIANT number = Integer(5);
  VARIANT className = Text(u"rhyth2 document");
  VARIANT unknownName = Text(u"NoSuchView");

  struct Case {
    const char* what;
    DISPPARAMS arguments;
    bool noBlock;
    HRESULT result;
    DWORD target;  // the type word named, 0 without a target
  } cases[] = {
      {"no argument block", {}, true, DISP_E_BADPARAMCOUNT, 0},
      {"no argument", {nullptr, nullptr, 0, 0}, false, S_OK, 0},
      {"a number", {&number, nullptr, 1, 0}, false, S_OK, 5},
      {"a class name in any case", {&className, nullptr, 1, 0}, false, S_OK,
       Rhyth::DocumentTypeId::Id()},
      {"a name the host does not know", {&unknownName, nullptr, 1, 0}, false, E_INVALIDARG, 0},
      {"a value that has no text", {&unknown, nullptr, 1, 0}, false, DISP_E_TYPEMISMATCH, 0},
      {"two arguments", {two, nullptr, 2, 0}, false, DISP_E_BADPARAMCOUNT, 0},
      {"a named argument", {&named, &namedId, 1, 1}, false, DISP_E_BADPARAMCOUNT, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    IMessage* message = reinterpret_cast<IMessage*>(1);
    EXPECT_EQ(analyze->CreateFromArguments(c.noBlock ? nullptr : &c.arguments, &message),
              c.result);
    Tarn::HeldReference<IMessage> held(message);
    if (FAILED(c.result)) {
      EXPECT_EQ(message, nullptr);
      continue;
    }
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->GetMessageId(), Rhyth::AnalyzeMsg::Id());
    DWORD target = 99;
    EXPECT_EQ(message->GetTarget(&target), c.target ? S_OK : S_FALSE);
    EXPECT_EQ(target, c.target);
  }
  VariantClear(&className);
  VariantClear(&unknownName);
}

TEST_F(DocumentMessages, TheTextFormNamesTheTargetView) {
  IMsgIdMessageClassObject* clear = Rhyth::DocumentMessageClasses()[1];
  IMessage* plain = nullptr;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  ASSERT_EQ(clear->CreateFromArguments(&none, &plain), S_OK);
  Tarn::HeldReference<IMessage> heldPlain(plain);
  VARIANT view = Text(u"Rhyth2 Document");
  DISPPARAMS one{&view, nullptr, 1, 0};
  IMessage* targeted = nullptr;
  ASSERT_EQ(clear->CreateFromArguments(&one, &targeted), S_OK);
  Tarn::HeldReference<IMessage> heldTargeted(targeted);
  VariantClear(&view);

  Lines framed;
  ASSERT_EQ(clear->WriteTextForm(plain, &framed, 0), S_OK);
  EXPECT_EQ(framed.lines, (std::vector<std::string>{"' Begin Rhyth_ClearAnalysis\n",
                                                    "Rhyth_ClearAnalysis",
                                                    "' End Rhyth_ClearAnalysis\n\n"}));
  IQuorString* line = nullptr;
  ASSERT_EQ(clear->ToText(targeted, &line, 0), S_OK);
  EXPECT_EQ(Text(line), "Rhyth_ClearAnalysis TarnId,ViewType,\"Rhyth2 Document\"");
  EXPECT_EQ(clear->WriteTextForm(plain, nullptr, 0), E_FAIL);
}

}  // namespace
}  // namespace AnalysisDocumentTest
