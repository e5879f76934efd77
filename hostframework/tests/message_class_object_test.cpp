#include "hostframework/message_class_object.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/com_object.h"

namespace {

using Quor::MsgIdMessageClassObjectRootImpl;
using Quor::String;

class LineCollector : public SimpleUnknownImp1<ITarnTextLineWriter, 1> {
 public:
  HRESULT WriteLine(IQuorString* line, DWORD flags) override {
    lines.push_back(String(line).ToUtf8String());
    this->flags.push_back(flags);
    return S_OK;
  }
  std::vector<std::string> lines;
  std::vector<DWORD> flags;
};

std::vector<std::string> Tokens(const char16_t* text, const char16_t* delimiters) {
  std::vector<String> tokens;
  MsgIdMessageClassObjectRootImpl::Tokenize(String(text), String(delimiters), String(u"{{"),
                                            String(u"}}"), tokens);
  std::vector<std::string> out;
  for (const String& t : tokens) out.push_back(t.ToUtf8String());
  return out;
}

TEST(MessageClassObject, TypeCodesIgnoreCase) {
  struct Case {
    const char16_t* name;
    int code;
  } cases[] = {{u"string", 2}, {u"SafeArray", 3}, {u"RECT", 4}, {u"BOOL", 5},
               {u"bool", 5},   {u"int", 0},       {u"", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(MsgIdMessageClassObjectRootImpl::TypeCode(String(c.name)), c.code);
  }
}

TEST(MessageClassObject, ReplaceAllDoesNotOverlapAndIgnoresAnEmptyPattern) {
  auto replace = [](const char16_t* text, const char16_t* pattern, const char16_t* with) {
    return MsgIdMessageClassObjectRootImpl::ReplaceAll(String(text), String(pattern), String(with))
        .ToUtf8String();
  };
  EXPECT_EQ(replace(u"a;;b;;;c", u";;", u","), "a,b,;c");
  EXPECT_EQ(replace(u"none here", u";;", u","), "none here");
  EXPECT_EQ(replace(u"abc", u"", u"x"), "abc");
  EXPECT_EQ(replace(u"", u";;", u","), "");
}

TEST(MessageClassObject, TokensSplitOutsideGroupsOnly) {
  EXPECT_EQ(Tokens(u"bool,Visible,Shows it", u","),
            (std::vector<std::string>{"bool", "Visible", "Shows it"}));
  EXPECT_EQ(Tokens(u"string,{{a,b}},text", u","),
            (std::vector<std::string>{"string", "{{a,b}}", "text"}));
  EXPECT_EQ(Tokens(u"{{open,never closed", u","),
            (std::vector<std::string>{"{{open,never closed"}));
  EXPECT_EQ(Tokens(u"a b,c", u" ,"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(Tokens(u"", u","), (std::vector<std::string>{""}));
}

TEST(MessageClassObject, ParametersComeInThreesWithSemicolonPairsAsCommas) {
  auto parameters = MsgIdMessageClassObjectRootImpl::ReadParameters(
      String(u"bool,Visible,shown;; or not,STRING,Title,the title"));
  ASSERT_EQ(parameters.size(), 2u);
  EXPECT_EQ(parameters[0].type, Quor::kParameterBool);
  EXPECT_EQ(parameters[0].description, String(u"shown, or not"));
  EXPECT_EQ(parameters[1].type, Quor::kParameterString);
  EXPECT_TRUE(MsgIdMessageClassObjectRootImpl::ReadParameters(String(u"bool,Visible")).empty());
}

TEST(MessageClassObject, HelpTextLinesUpItsValues) {
  const MsgIdMessageClassObjectRootImpl analyze(0x01000100, String(u"Rhyth_Analyze"),
                                                String(u"Rhyth"), String(u"Analyses the data."));
  LineCollector help;
  ASSERT_EQ(analyze.WriteHelpText(&help, 3), S_OK);
  EXPECT_EQ(help.lines, (std::vector<std::string>{"Name:        Rhyth_Analyze",
                                                  "Description: Analyses the data."}));
  EXPECT_EQ(help.lines[0].find("Rhyth"), 13u);
  EXPECT_EQ(help.lines[1].find("Analyses"), 13u);

  const MsgIdMessageClassObjectRootImpl withParameters(
      1, String(u"Show"), String(), String(), 0, 0, String(u"bool,Visible,v,string,Title,t"));
  LineCollector lines;
  withParameters.WriteHelpText(&lines, 0);
  EXPECT_EQ(lines.lines, (std::vector<std::string>{"Name:        Show",
                                                   "Parameters:  Visible,",
                                                   "             Title"}));
  EXPECT_EQ(withParameters.WriteHelpText(nullptr, 0), E_FAIL);
}

TEST(MessageClassObject, TextFormIsFramedUnlessAskedNotTo) {
  const MsgIdMessageClassObjectRootImpl analyze(1, String(u"Rhyth_Analyze"), String(u"Rhyth"),
                                                String(u"d"));
  LineCollector framed;
  ASSERT_EQ(analyze.WriteTextForm(String(), &framed, 4), S_OK);
  EXPECT_EQ(framed.lines, (std::vector<std::string>{"' Begin Rhyth_Analyze\n", "Rhyth_Analyze",
                                                    "' End Rhyth_Analyze\n\n"}));
  for (DWORD flags : framed.flags) EXPECT_EQ(flags, 4u | Quor::kTextFormLine);
  LineCollector plain;
  analyze.WriteTextForm(String(), &plain, Quor::kTextFormUnframed);
  EXPECT_EQ(plain.lines, std::vector<std::string>{"Rhyth_Analyze"});
  EXPECT_EQ(analyze.WriteTextForm(String(), nullptr, 0), E_FAIL);
}

}  // namespace
