// The GUI framework's dialogs. A dialog resource is read in the language asked for, or else the
// module's neutral one (TDialogRes). A TDialog runs modally without anyone at a screen: Execute
// makes its window from the template (hidden), runs SetupWindow, takes the scripted answer
// recorded under the dialog's caption (IDCANCEL when none is queued), lets the dialog apply the
// lines of text an OK came with (what a person would have typed), asks CanClose before
// accepting IDOK, and destroys the window again.
#pragma once

#include <string>
#include <vector>

#include "platform/owl/window.h"
#include "platform/win32/message_box.h"

namespace OWL {

// Dialog units in pixels, for the dialog font of 8 points at 96 dots per inch (an average
// character 6 pixels wide and 13 high: a unit is a quarter of the width, an eighth of the height).
TRect MapDialogUnits(int x, int y, int width, int height);

class TDialogRes {
 public:
  TDialogRes(HINSTANCE module, TResId id, LANGID language);
  TDialogRes(const TDialogRes&) = default;
  bool IsOK() const { return m_ok; }
  const win32::DialogTemplate& GetTemplate() const { return m_template; }

 private:
  win32::DialogTemplate m_template;
  bool m_ok;
};

class TDialog : public TWindow {
 public:
  // The template in the application's language (see TApplication), else the neutral one.
  TDialog(TWindow* parent, TResId id, TModule* module = nullptr);
  // The template a TDialogRes holds (its language chosen by the caller).
  TDialog(TWindow* parent, const TDialogRes& resource, TResId id, TModule* module = nullptr);

  // Gives the controls the template places their places, then makes the window.
  bool Create() override;
  virtual int Execute();
  // Ends the dialog with the value, when CanClose agrees.
  void CloseWindow(int returnValue = IDCANCEL) override;
  bool HasTemplate() const { return m_resource.IsOK(); }
  const win32::DialogTemplate& GetTemplate() const { return m_resource.GetTemplate(); }
  // The name its runs are recorded and answered under: the template's caption, or "#" and the
  // resource number.
  std::u16string GetDialogName() const;
  std::u16string GetClassName() const override { return u"OWLDialog"; }

 protected:
  // Applies the lines ("NAME=VALUE", in the dialog's own words) an OK answer came with; the
  // reason they cannot be applied, or empty. The base takes lines as nothing to do.
  virtual std::u16string ApplyAnswerLines(const std::vector<std::u16string>& lines);

 private:
  TDialogRes m_resource;
  std::u16string m_number;
  int m_result = IDCANCEL;
  bool m_ended = false;
};

}  // namespace OWL
