// XQuor: the module's exception, an HRESULT-style code with a message.
#pragma once

#include <exception>

#include "core/quor_string.h"
#include "platform/win32/hresult.h"

// The module's own codes: severity, customer bit, FACILITY_ITF and bit 15 (0xA00482xx).
constexpr HRESULT kXQuorBadStringRecord = MakeHResult(0xA0048203);
constexpr HRESULT kXQuorBadBlockTag = MakeHResult(0xA0048204);
constexpr HRESULT kXQuorNewerVersion = MakeHResult(0xA0048205);
constexpr HRESULT kXQuorBadBlockVersion = MakeHResult(0xA0048206);
// Stored data that ends before all of it was read.
constexpr HRESULT kXQuorDataTruncated = MakeHResult(0xA0048207);
// Stored data holding a value the module cannot work with.
constexpr HRESULT kXQuorValueOutOfRange = MakeHResult(0xA0048208);
// A file or stream that could not be written completely.
constexpr HRESULT kXQuorWriteFailed = MakeHResult(0xA0048212);
// The user has been told already, or cancelled: callers that show errors show nothing.
constexpr HRESULT kXQuorSilent = MakeHResult(0xA004820F);
// The message is the whole report: no code text is appended.
constexpr HRESULT kXQuorMessageIsReport = MakeHResult(0xA0048210);
constexpr HRESULT kXQuorMessageIsReport2 = MakeHResult(0xA0048211);

class XQuor : public std::exception {
 public:
  // The message is the text of the code.
  explicit XQuor(HRESULT code);
  // The message is the context, then (unless the code is 0 or a whole-report code) a line feed
  // and the text of the code.
  XQuor(const Quor::String& context, HRESULT code);
  XQuor(const XQuor& other) = default;
  ~XQuor() override = default;

  HRESULT Code() const { return m_code; }
  virtual Quor::String GetMessage() const { return m_message; }
  // The message in the ANSI code page; lives as long as the exception.
  const char* what() const noexcept override;

 private:
  HRESULT m_code;
  mutable Quor::String m_message;
};

namespace Quor {

// The readable text of any code: the module's own texts, else the system's.
String FormatHResultText(HRESULT code);
// The host's text for one of the module's codes; empty when it has none.
String ModuleErrorText(HRESULT code);

}  // namespace Quor

// The exception of a failed system or COM call, carrying its HRESULT.
class XHResult : public XQuor {
 public:
  using XQuor::XQuor;
};
