// Numeric entry fields that validate on every keystroke. Paired with an error mark, a bad value
// shows the mark instead of a message box, and leaving the field with it is not stopped; without
// one they behave as ordinary validated edits. Each lives as its dialog's child and owns its
// validator; the mark belongs to the dialog.
#pragma once

#include "controls/edits/range_validators.h"
#include "controls/errors/error_provider.h"
#include "platform/owl/controls.h"

class ValidatingEdit : public OWL::TEdit {
 public:
  ValidatingEdit(OWL::TWindow* parent, int resourceId);

  // All of the text is one number.
  virtual bool IsNumber() = 0;
  // Pairs the field with a mark (null: none), replacing the validator with the matching kind.
  virtual void SetErrorProvider(QuorControls::ErrorProvider* provider) = 0;
  QuorControls::ErrorProvider* GetErrorProvider() const { return m_provider; }

  bool Find(OWL::TEventInfo& info) override;

 protected:
  QuorControls::ErrorProvider* m_provider = nullptr;  // not owned

 private:
  LRESULT EvChar(WPARAM character, LPARAM flags);
  LRESULT EvChildInvalid(WPARAM, LPARAM);
};

// A whole number from 10 to 10000 in control 132.
class IntEdit : public ValidatingEdit {
 public:
  static constexpr int kControlId = 132;
  explicit IntEdit(OWL::TWindow* parent);
  bool IsNumber() override;
  void SetErrorProvider(QuorControls::ErrorProvider* provider) override;
  void SetupWindow() override;
};

class DoubleEdit : public ValidatingEdit {
 public:
  DoubleEdit(OWL::TWindow* parent, int resourceId, double minimum, double maximum);
  bool IsNumber() override;
  void SetErrorProvider(QuorControls::ErrorProvider* provider) override;

  // Significant digits (or, with the fixed flag, digits after the point); 9 when below 1.
  void SetPrecision(int precision) { m_precision = precision; }
  void SetFixed(bool fixed) { m_fixed = fixed; }
  std::u16string FormatValue(double value) const;
  // The field's number cut to the precision's decimal places (halves up); 0 when the text is not
  // one number.
  double GetValue();

 private:
  int m_precision = 0;
  bool m_fixed = false;
};
