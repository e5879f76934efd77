// The part every message class object shares: the message's id, name, category and
// description, the text that describes its parameters, and the text side (text form, help).
#pragma once

#include <vector>

#include "core/quor_string.h"
#include "platform/pendrel/messages.h"

namespace Quor {

// Parameter value types, by type name.
enum MessageParameterType : int {
  kParameterOther = 0,
  kParameterString = 2,
  kParameterSafeArray = 3,
  kParameterRect = 4,
  kParameterBool = 5,
};

// Flag of the text form: write the message without its Begin/End frame.
constexpr DWORD kTextFormUnframed = 0x10000000;
// Added to the caller's flags on every line of the text form.
constexpr DWORD kTextFormLine = 0x20000000;

struct MessageParameter {
  int type;
  String name;
  String description;
};

class MsgIdMessageClassObjectRootImpl {
 public:
  MsgIdMessageClassObjectRootImpl(DWORD id, String name, String category, String description,
                                  DWORD flags1 = 0, DWORD flags2 = 0, String parameters = String());

  DWORD MessageId() const { return m_id; }
  const String& Name() const { return m_name; }
  const String& Category() const { return m_category; }
  const String& Description() const { return m_description; }
  const String& ParameterText() const { return m_parameters; }
  DWORD Flags1() const { return m_flags1; }
  DWORD Flags2() const { return m_flags2; }

  static int TypeCode(const String& typeName);
  // Splits at any delimiter character that is not inside a {{ }} group.
  static void Tokenize(const String& text, const String& delimiters, const String& opening,
                       const String& closing, std::vector<String>& tokens);
  static String ReplaceAll(const String& text, const String& pattern, const String& replacement);
  static bool InsideGroup(const String& text, DWORD position, const String& opening,
                          const String& closing);
  // The parameters described by the text, in threes (type, name, description); none when the
  // token count is not a multiple of three.
  static std::vector<MessageParameter> ReadParameters(const String& text);

  // The message line: the name, then `target` (a message's target part) and the values of
  // `text` after it, separated by blanks (a comma between the target part and the values).
  String MessageLine(const String& text, const String& target = String()) const;
  HRESULT WriteTextForm(const String& text, ITarnTextLineWriter* output, DWORD flags,
                        const String& target = String()) const;
  HRESULT WriteHelpText(ITarnTextLineWriter* writer, DWORD flags) const;

 private:
  DWORD m_id;
  String m_name;
  String m_category;
  String m_description;
  DWORD m_flags1;
  DWORD m_flags2;
  String m_parameters;
};

}  // namespace Quor
