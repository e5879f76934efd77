// The range validators of the numeric entry fields. Each is owned by its edit. The ones paired
// with an error mark report a bad value on the mark ("Invalid Value" / "Value must be in range
// %1 to %2."), the others in a message box.
#pragma once

#include "controls/errors/error_provider.h"
#include "platform/owl/controls.h"

namespace QuorControls {

// A whole number within a range.
class QuorRangeValidator : public OWL::TRangeValidator {
 public:
  using OWL::TRangeValidator::TRangeValidator;
};

class LongRangeValidatorErrProv : public QuorRangeValidator {
 public:
  LongRangeValidatorErrProv(long minimum, long maximum, ErrorProvider* provider)
      : QuorRangeValidator(minimum, maximum), m_provider(provider) {}
  void Error(OWL::TWindow* owner) override;

 private:
  ErrorProvider* m_provider;  // not owned
};

}  // namespace QuorControls

// A decimal number within a range: only "-+eE", digits and the user's decimal separator, and
// the whole text one number.
class FltRangeValidator : public OWL::TFilterValidator {
 public:
  FltRangeValidator(double minimum, double maximum);
  bool IsValid(const std::u16string& text) override;
  // Tells the user the range in a message box over the application's window.
  void Error(OWL::TWindow* owner) override;
  // With the transfer option: the text's value into *data (get), or the value into the text
  // as "%lg" (set); 8 either way. Without it, 0 and nothing moved.
  UINT Transfer(WCHAR* text, void* data, TTransferDirection direction) override;
  double GetMin() const { return m_min; }
  double GetMax() const { return m_max; }
  // A range that follows other entries changes in place.
  void SetRange(double minimum, double maximum) {
    m_min = minimum;
    m_max = maximum;
  }

 private:
  double m_max;
  double m_min;
};

namespace QuorControls {

class FltRangeValidatorErrProv : public FltRangeValidator {
 public:
  FltRangeValidatorErrProv(double minimum, double maximum, ErrorProvider* provider)
      : FltRangeValidator(minimum, maximum), m_provider(provider) {}
  void Error(OWL::TWindow* owner) override;

 private:
  ErrorProvider* m_provider;  // not owned
};

}  // namespace QuorControls
