#include "hostframework/message_class_object.h"

#include <algorithm>
#include <string_view>

namespace Quor {

namespace {

std::u16string_view View(const String& s) { return {s.c_str(), s.Length()}; }

String Lower(const String& s) {
  std::u16string text = s.ToStdWString();
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
  }
  return String(text);
}

HRESULT WriteLine(ITarnTextLineWriter* writer, const String& line, DWORD flags) {
  IQuorString* text = line.GetInterface();
  const HRESULT hr = writer->WriteLine(text, flags);
  text->Release();
  return hr;
}

const String& GroupOpening() {
  static const String opening(u"{{");
  return opening;
}

const String& GroupClosing() {
  static const String closing(u"}}");
  return closing;
}

}  // namespace

MsgIdMessageClassObjectRootImpl::MsgIdMessageClassObjectRootImpl(DWORD id, String name,
                                                                 String category,
                                                                 String description,
                                                                 DWORD flags1, DWORD flags2,
                                                                 String parameters)
    : m_id(id),
      m_name(std::move(name)),
      m_category(std::move(category)),
      m_description(std::move(description)),
      m_flags1(flags1),
      m_flags2(flags2),
      m_parameters(std::move(parameters)) {}

int MsgIdMessageClassObjectRootImpl::TypeCode(const String& typeName) {
  const String name = Lower(typeName);
  if (name == u"string") return kParameterString;
  if (name == u"safearray") return kParameterSafeArray;
  if (name == u"rect") return kParameterRect;
  if (name == u"bool") return kParameterBool;
  return kParameterOther;
}

String MsgIdMessageClassObjectRootImpl::ReplaceAll(const String& text, const String& pattern,
                                                   const String& replacement) {
  // An empty pattern matches nowhere: there is nothing to replace.
  if (pattern.IsEmpty()) return text;
  const std::u16string_view source = View(text), what = View(pattern);
  std::u16string result;
  std::size_t from = 0;
  for (std::size_t at = source.find(what); at != std::u16string_view::npos;
       at = source.find(what, from)) {
    result.append(source.substr(from, at - from));
    result.append(View(replacement));
    from = at + what.size();
  }
  result.append(source.substr(from));
  return String(result);
}

bool MsgIdMessageClassObjectRootImpl::InsideGroup(const String& text, DWORD position,
                                                  const String& opening, const String& closing) {
  if (opening.IsEmpty()) return false;
  const std::u16string_view source = View(text);
  std::size_t from = 0;
  for (;;) {
    const std::size_t open = source.find(View(opening), from);
    if (open == std::u16string_view::npos || open >= position) return false;
    const std::size_t close =
        closing.IsEmpty() ? std::u16string_view::npos : source.find(View(closing), open);
    if (close == std::u16string_view::npos || close >= position) return true;
    from = close;
  }
}

void MsgIdMessageClassObjectRootImpl::Tokenize(const String& text, const String& delimiters,
                                               const String& opening, const String& closing,
                                               std::vector<String>& tokens) {
  const std::u16string_view source = View(text);
  std::size_t start = 0;
  for (std::size_t at = source.find_first_of(View(delimiters)); at != std::u16string_view::npos;
       at = source.find_first_of(View(delimiters), at + 1)) {
    if (InsideGroup(text, DWORD(at), opening, closing)) continue;
    tokens.emplace_back(std::u16string(source.substr(start, at - start)));
    start = at + 1;
  }
  tokens.emplace_back(std::u16string(source.substr(start)));
}

std::vector<MessageParameter> MsgIdMessageClassObjectRootImpl::ReadParameters(const String& text) {
  std::vector<MessageParameter> parameters;
  if (text.IsEmpty()) return parameters;
  std::vector<String> tokens;
  Tokenize(text, String(u","), GroupOpening(), GroupClosing(), tokens);
  if (tokens.size() % 3 != 0) return parameters;
  for (std::size_t i = 0; i < tokens.size(); i += 3) {
    parameters.push_back({TypeCode(tokens[i]), tokens[i + 1],
                          ReplaceAll(tokens[i + 2], String(u";;"), String(u","))});
  }
  return parameters;
}

HRESULT MsgIdMessageClassObjectRootImpl::WriteHelpText(ITarnTextLineWriter* writer,
                                                       DWORD flags) const {
  if (!writer) return E_FAIL;
  // Every label is 13 characters wide, so that the values line up.
  if (!m_name.IsEmpty()) WriteLine(writer, String(u"Name:        ") += m_name, flags);
  if (!m_description.IsEmpty()) {
    WriteLine(writer, String(u"Description: ") += m_description, flags);
  }
  const std::vector<MessageParameter> parameters = ReadParameters(m_parameters);
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    String line(i == 0 ? u"Parameters:  " : u"             ");
    line += parameters[i].name;
    if (i + 1 < parameters.size()) line += u",";
    WriteLine(writer, line, flags);
  }
  return S_OK;
}

String MsgIdMessageClassObjectRootImpl::MessageLine(const String& text,
                                                    const String& target) const {
  String line(m_name);
  if (!target.IsEmpty()) {
    line += u" ";
    line += target;
  }
  if (text.IsEmpty() || m_parameters.IsEmpty()) return line;
  std::vector<String> values;
  Tokenize(text, String(u", "), GroupOpening(), GroupClosing(), values);
  bool first = true;
  for (const String& value : values) {
    if (value.IsEmpty()) continue;
    line += first && !target.IsEmpty() ? u"," : u" ";
    line += value;
    first = false;
  }
  return line;
}

HRESULT MsgIdMessageClassObjectRootImpl::WriteTextForm(const String& text,
                                                       ITarnTextLineWriter* output, DWORD flags,
                                                       const String& target) const {
  if (!output) return E_FAIL;
  const DWORD lineFlags = flags | kTextFormLine;
  const bool framed = !(flags & kTextFormUnframed);
  if (framed) WriteLine(output, (String(u"' Begin ") += m_name) += u"\n", lineFlags);
  WriteLine(output, MessageLine(text, target), lineFlags);
  if (framed) WriteLine(output, (String(u"' End ") += m_name) += u"\n\n", lineFlags);
  return S_OK;
}

}  // namespace Quor
