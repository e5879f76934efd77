#include "controls/edits/range_validators.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "controls/dialogs/message_owner.h"
#include "controls/edits/number_text.h"
#include "core/branded_strings.h"
#include "core/format_stream.h"
#include "core/locale_info.h"
#include "platform/owl/application.h"
#include "platform/win32/message_box.h"

namespace {

constexpr UINT kInvalidValueTitle = 22022;
constexpr UINT kRangeMessage = 22023;
constexpr UINT kHostRangeMessage = 20001;

HMODULE ModuleOf(const OWL::TWindow* window) {
  return window && window->GetModule() ? window->GetModule()->GetHandle() : GetModuleHandleW(nullptr);
}

// The module's range texts, loaded on first use and kept for the process.
const Quor::String& ModuleText(UINT id, const OWL::TWindow* owner) {
  static const Quor::String title = Quor::LoadResourceString(ModuleOf(owner), kInvalidValueTitle, true);
  static const Quor::String message = Quor::LoadResourceString(ModuleOf(owner), kRangeMessage, true);
  return id == kInvalidValueTitle ? title : message;
}

template <class Number>
Quor::String RangeText(const Quor::String& format, Number minimum, Number maximum) {
  Quor::OFormatStringStream stream(format);
  stream << minimum << Quor::endarg << maximum << Quor::endarg;
  return stream.str();
}

template <class Number>
void ShowOnMark(QuorControls::ErrorProvider& provider, const OWL::TWindow* owner, Number minimum, Number maximum) {
  provider.SetError(true, ModuleText(kInvalidValueTitle, owner),
                    RangeText(ModuleText(kRangeMessage, owner), minimum, maximum));
}

std::u16string FilterCharacters() {
  return std::u16string(u"-+eE0-9") + Quor::LocaleInfo::Instance().decimalSeparator;
}

}  // namespace

namespace QuorControls {

void LongRangeValidatorErrProv::Error(OWL::TWindow* owner) {
  if (!m_provider) return QuorRangeValidator::Error(owner);
  ShowOnMark(*m_provider, owner, GetMin(), GetMax());
}

void FltRangeValidatorErrProv::Error(OWL::TWindow* owner) {
  if (!m_provider) return FltRangeValidator::Error(owner);
  ShowOnMark(*m_provider, owner, GetMin(), GetMax());
}

}  // namespace QuorControls

FltRangeValidator::FltRangeValidator(double minimum, double maximum)
    : OWL::TFilterValidator(FilterCharacters()), m_max(maximum), m_min(minimum) {}

bool FltRangeValidator::IsValid(const std::u16string& text) {
  if (!OWL::TFilterValidator::IsValid(text)) return false;
  const std::optional<double> value = ParseWholeDouble(text);
  return value && m_min <= *value && *value <= m_max;
}

void FltRangeValidator::Error(OWL::TWindow*) {
  static const Quor::String format = Quor::LoadResourceString(GetModuleHandleW(nullptr), kHostRangeMessage, true);
  const Quor::String message = RangeText(format, m_min, m_max);
  if (const HWND over = QuorControls::LastActivePopupOfMainWindow()) {
    MessageBoxW(over, message.c_str(), u"", MB_ICONEXCLAMATION);
  } else {
    MessageBoxExW(GetActiveWindow(), message.c_str(), u"", MB_TASKMODAL | MB_ICONEXCLAMATION, 0);
  }
}

UINT FltRangeValidator::Transfer(WCHAR* text, void* data, TTransferDirection direction) {
  if (!HasOption(voTransfer)) return 0;
  auto* value = static_cast<double*>(data);
  if (direction == tdGetData) {
    std::u16string_view typed(text);
    std::size_t end = 0;
    while (end < typed.size() && typed[end] > u' ') ++end;
    // As _wtof reads: the longest number at the start, 0 when there is none.
    const std::string narrow(typed.begin(), typed.begin() + std::ptrdiff_t(end));
    *value = std::atof(narrow.c_str());
  } else if (direction == tdSetData) {
    char formatted[64];
    std::snprintf(formatted, sizeof formatted, "%lg", *value);
    for (std::size_t i = 0; i <= std::strlen(formatted); ++i) text[i] = char16_t(formatted[i]);
  }
  return sizeof(double);
}
