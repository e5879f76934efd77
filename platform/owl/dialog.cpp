#include "platform/owl/dialog.h"

#include "platform/owl/application.h"
#include "platform/owl/controls.h"
#include "platform/win32/message_box.h"

namespace OWL {
namespace {

LANGID ApplicationLanguage() {
  const TApplication* application = GetApplicationObject();
  return application ? application->GetLangId() : 0;
}

std::u16string NumberText(TResId id) {
  if (!id.IsInt()) return std::u16string(static_cast<LPCWSTR>(id));
  std::u16string digits;
  for (auto n = reinterpret_cast<std::uintptr_t>(static_cast<LPCWSTR>(id)); n || digits.empty(); n /= 10)
    digits.insert(digits.begin(), char16_t(u'0' + n % 10));
  return u"#" + digits;
}

}  // namespace

TRect MapDialogUnits(int x, int y, int width, int height) {
  auto across = [](int units) { return MulDiv(units, 6, 4); };
  auto down = [](int units) { return MulDiv(units, 13, 8); };
  return {across(x), down(y), across(x + width), down(y + height)};
}

TDialogRes::TDialogRes(HINSTANCE module, TResId id, LANGID language)
    : m_ok(win32::LoadDialogTemplate(module, id, language, m_template)) {}

TDialog::TDialog(TWindow* parent, TResId id, TModule* module)
    : TDialog(parent, TDialogRes(module ? module->GetHandle() : parent && parent->GetModule() ? parent->GetModule()->GetHandle() : nullptr, id, ApplicationLanguage()), id, module) {}

TDialog::TDialog(TWindow* parent, const TDialogRes& resource, TResId id, TModule* module)
    : TWindow(parent, nullptr, module), m_resource(resource), m_number(NumberText(id)) {
  Attr.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  if (HasTemplate()) {
    const win32::DialogTemplate& dialog = GetTemplate();
    Attr.Style = dialog.style & ~WS_VISIBLE;
    const TRect size = MapDialogUnits(0, 0, dialog.width, dialog.height);
    Attr.W = size.Width();
    Attr.H = size.Height();
    SetCaption(dialog.caption);
  }
}

std::u16string TDialog::GetDialogName() const {
  return HasTemplate() && !GetTemplate().caption.empty() ? GetTemplate().caption : m_number;
}

bool TDialog::Create() {
  if (HasTemplate())
    for (TWindow* child : Children()) {
      auto* control = dynamic_cast<TControl*>(child);
      if (!control || !control->IsFromResource()) continue;
      for (const win32::DialogControl& item : GetTemplate().controls)
        if (item.id == control->GetId())
          control->TakeTemplate(MapDialogUnits(item.x, item.y, item.width, item.height), item.text, item.style);
    }
  return TWindow::Create();
}

int TDialog::Execute() {
  m_ended = false;
  m_result = IDCANCEL;
  if (!Create()) return -1;
  const win32::ModalDialogAnswer answered = win32::AnswerModalDialogWithLines(GetDialogName());
  // Dialogs this one shows (a warning) are recorded after its own run.
  const std::size_t run = win32::ShownDialogs().size() - 1;
  if (answered.answer == IDOK && !answered.lines.empty()) {
    const std::u16string refusal = ApplyAnswerLines(answered.lines);
    if (!refusal.empty()) {
      win32::RefuseModalDialogRun(run, refusal);
      Destroy(IDCANCEL);
      return IDCANCEL;
    }
  }
  CloseWindow(answered.answer);
  // A dialog that refuses to close on OK would wait for a person; nobody is there, so it ends
  // cancelled.
  if (!m_ended) win32::RefuseModalDialogRun(run, u"the dialog did not agree to close");
  const int result = m_ended ? m_result : IDCANCEL;
  Destroy(result);
  return result;
}

std::u16string TDialog::ApplyAnswerLines(const std::vector<std::u16string>&) { return {}; }

void TDialog::CloseWindow(int returnValue) {
  if (returnValue == IDOK && !CanClose()) return;
  m_result = returnValue;
  m_ended = true;
}

}  // namespace OWL
