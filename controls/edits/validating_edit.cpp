#include "controls/edits/validating_edit.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

#include "controls/edits/number_text.h"

namespace {

constexpr int kTextLimit = 255;
constexpr int kDefaultPrecision = 9;

int EffectivePrecision(int precision) { return precision < 1 ? kDefaultPrecision : precision; }

}  // namespace

ValidatingEdit::ValidatingEdit(OWL::TWindow* parent, int resourceId) : OWL::TEdit(parent, resourceId) {
  SetTextLimit(kTextLimit);
}

bool ValidatingEdit::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{
      {WM_CHAR, 0, OWL::Handler(&ValidatingEdit::EvChar)},
      {OWL::WM_CHILDINVALID, 0, OWL::Handler(&ValidatingEdit::EvChildInvalid)},
  };
  return OWL::SearchResponseTable(table, info) || OWL::TEdit::Find(info);
}

// Every keystroke is checked once the edit has taken it; an incomplete number (a lone "-")
// shows the mark until a later keystroke completes it.
LRESULT ValidatingEdit::EvChar(WPARAM character, LPARAM flags) {
  OWL::TEdit::EvChar(character, flags);
  if (!m_provider) return 0;
  if (IsNumber() && IsValid(false))
    m_provider->SetError(false, Quor::String(), Quor::String());
  else if (GetValidator())
    GetValidator()->Error(this);
  return 0;
}

LRESULT ValidatingEdit::EvChildInvalid(WPARAM wParam, LPARAM lParam) {
  return m_provider ? 0 : OWL::TEdit::EvChildInvalid(wParam, lParam);
}

IntEdit::IntEdit(OWL::TWindow* parent) : ValidatingEdit(parent, kControlId) {
  SetValidator(new QuorControls::QuorRangeValidator(10, 10000));
}

void IntEdit::SetupWindow() {
  ValidatingEdit::SetupWindow();
  SetWindowLongW(GetHandle(), GWL_STYLE, GetWindowLongW(GetHandle(), GWL_STYLE) | OWL::ES_NUMBER);
}

bool IntEdit::IsNumber() { return ParseWholeLong(GetText()).has_value(); }

void IntEdit::SetErrorProvider(QuorControls::ErrorProvider* provider) {
  m_provider = provider;
  auto* current = static_cast<QuorControls::QuorRangeValidator*>(GetValidator());
  const long minimum = current ? current->GetMin() : 10, maximum = current ? current->GetMax() : 10000;
  if (provider)
    SetValidator(new QuorControls::LongRangeValidatorErrProv(minimum, maximum, provider));
  else
    SetValidator(new QuorControls::QuorRangeValidator(minimum, maximum));
}

DoubleEdit::DoubleEdit(OWL::TWindow* parent, int resourceId, double minimum, double maximum)
    : ValidatingEdit(parent, resourceId) {
  SetValidator(new FltRangeValidator(minimum, maximum));
}

bool DoubleEdit::IsNumber() { return ParseWholeDouble(GetText()).has_value(); }

void DoubleEdit::SetErrorProvider(QuorControls::ErrorProvider* provider) {
  m_provider = provider;
  auto* current = static_cast<FltRangeValidator*>(GetValidator());
  const double minimum = current->GetMin(), maximum = current->GetMax();
  if (provider)
    SetValidator(new QuorControls::FltRangeValidatorErrProv(minimum, maximum, provider));
  else
    SetValidator(new FltRangeValidator(minimum, maximum));
}

std::u16string DoubleEdit::FormatValue(double value) const {
  std::ostringstream stream;
  stream.imbue(std::locale::classic());
  if (m_fixed) stream << std::fixed << std::showpoint;
  stream << std::setprecision(EffectivePrecision(m_precision)) << value;
  const std::string text = stream.str();
  return std::u16string(text.begin(), text.end());
}

// Cut to p - e decimal places, e the value's power of ten rounded: p or p + 1 significant
// digits depending on the leading ones.
double DoubleEdit::GetValue() {
  const std::optional<double> parsed = ParseWholeDouble(GetText());
  if (!parsed) return 0;
  const double x = *parsed;
  if (x == 0 || !std::isfinite(x)) return x;
  const int e = int(std::floor(std::log10(std::fabs(x)) + 0.5));
  return RoundToDecimalPlaces(x, EffectivePrecision(m_precision) - e);
}
