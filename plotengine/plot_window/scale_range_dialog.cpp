#include "plotengine/plot_window/scale_range_dialog.h"

#include "controls/dialogs/message_owner.h"
#include "controls/placement/dialog_placement.h"
#include "core/branded_strings.h"
#include "platform/owl/application.h"
#include "platform/win32/message_box.h"

namespace Quor {
namespace {

constexpr UINT kRightLabelText = 19300;
constexpr UINT kLeftLabelText = 19301;
constexpr UINT kTopAboveBottomText = 22002;
constexpr UINT kRightOfLeftText = 22003;
constexpr int kPrecision = 8;

HMODULE ModuleHandleOf(const OWL::TWindow& window) {
  return window.GetModule() ? window.GetModule()->GetHandle() : GetModuleHandleW(nullptr);
}

// The dialog's texts, loaded on first use and kept for the process.
const String& DialogText(const OWL::TWindow& window, UINT id) {
  static const String right = LoadResourceString(ModuleHandleOf(window), kRightLabelText, true);
  static const String left = LoadResourceString(ModuleHandleOf(window), kLeftLabelText, true);
  static const String vertical = LoadResourceString(ModuleHandleOf(window), kTopAboveBottomText, true);
  static const String horizontal = LoadResourceString(ModuleHandleOf(window), kRightOfLeftText, true);
  switch (id) {
    case kRightLabelText: return right;
    case kLeftLabelText: return left;
    case kTopAboveBottomText: return vertical;
    default: return horizontal;
  }
}

// A label as a script names it: without its access-key mark, its colon and blanks.
std::u16string PlainLabel(std::u16string text) {
  std::erase(text, u'&');
  while (!text.empty() && (text.back() == u':' || text.back() == u' ')) text.pop_back();
  return text;
}

std::u16string Trimmed(std::u16string_view text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return std::u16string(text.substr(first, text.find_last_not_of(u' ') - first + 1));
}

}  // namespace

ScaleRange::ScaleRange(OWL::TWindow* parent, OWL::TResId templateName, OWL::TModule* module)
    : DialogBase(parent, templateName, module) {}

ScaleRange::~ScaleRange() {
  // Ends a dialog still shown as cancelled, before its controls go.
  if (GetHandle() && ::IsWindow(GetHandle())) Destroy(IDCANCEL);
}

void ScaleRange::SetScale(IScaleProxy* scale) {
  m_scale = scale;
  if (!scale || m_highEdit) return;
  m_highUnit = std::make_unique<OWL::TStatic>(this, kHighUnit);
  m_lowUnit = std::make_unique<OWL::TStatic>(this, kLowUnit);
  m_highLabel = std::make_unique<OWL::TStatic>(this, kHighLabel);
  m_lowLabel = std::make_unique<OWL::TStatic>(this, kLowLabel);
  const double lowest = scale->GetLowestAllowed(), highest = scale->GetHighestAllowed();
  m_highEdit = std::make_unique<DoubleEdit>(this, kHighEdit, lowest, highest);
  m_lowEdit = std::make_unique<DoubleEdit>(this, kLowEdit, lowest, highest);
  for (DoubleEdit* edit : {m_highEdit.get(), m_lowEdit.get()}) {
    edit->SetPrecision(kPrecision);
    edit->SetFixed(false);
  }
}

void ScaleRange::SetupWindow() {
  DialogBase::SetupWindow();
  PlaceDialogNearAnchor(GetHandle(), kPlaceOverMainWindow, nullptr, false);
  if (!m_scale) return;
  m_highEdit->SetText(m_highEdit->FormatValue(m_scale->GetMax()));
  m_lowEdit->SetText(m_lowEdit->FormatValue(m_scale->GetMin()));
  if (m_scale->GetIndex() == 0) {
    m_highLabel->SetText(DialogText(*this, kRightLabelText).ToStdWString());
    m_lowLabel->SetText(DialogText(*this, kLeftLabelText).ToStdWString());
  }
  const std::u16string unit = m_scale->GetUnitText().ToStdWString();
  m_highUnit->SetText(unit);
  m_lowUnit->SetText(unit);
}

bool ScaleRange::CanClose() {
  if (!m_scale) return true;
  // Each edit refuses text that is not one number within its range, with its own message:
  // an empty or half-typed end is never read as 0.
  if (!m_highEdit->IsValid(true) || !m_lowEdit->IsValid(true)) return false;
  const double high = m_highEdit->GetValue(), low = m_lowEdit->GetValue();
  if ((m_scale->GetFlags() & IScaleProxy::kHighNotBelowLow) && low > high) {
    ShowMessage(DialogText(*this, m_scale->GetIndex() == 0 ? kRightOfLeftText : kTopAboveBottomText));
    return false;
  }
  String message;
  if (!m_scale->ValidateRange(high, low, message)) {
    ShowMessage(message);
    return false;
  }
  m_scale->SetRange(high, low);
  return true;
}

std::u16string ScaleRange::ApplyAnswerLines(const std::vector<std::u16string>& lines) {
  if (!m_scale) return u"the dialog has no scale";
  for (const std::u16string& line : lines) {
    const auto equals = line.find(u'=');
    const std::u16string name = Trimmed(std::u16string_view(line).substr(0, equals));
    if (equals == std::u16string::npos) return u"not NAME=VALUE: " + line;
    const std::u16string value = Trimmed(std::u16string_view(line).substr(equals + 1));
    if (name == PlainLabel(m_highLabel->GetText())) {
      m_highEdit->SetText(value);
    } else if (name == PlainLabel(m_lowLabel->GetText())) {
      m_lowEdit->SetText(value);
    } else {
      return u"no end named " + name;
    }
  }
  return {};
}

void ScaleRange::ShowMessage(const String& text) {
  const OWL::TApplication* application = OWL::GetApplicationObject();
  const std::u16string caption = application ? application->GetName() : std::u16string();
  if (const HWND owner = QuorControls::LastActivePopupOfMainWindow()) {
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_ICONEXCLAMATION);
  } else {
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_TASKMODAL | MB_ICONEXCLAMATION);
  }
}

}  // namespace Quor
