// The base of every dialog of the module: its template is read in the user-interface language
// of the application (the parent's, else the host's), so that localised templates in the
// module's resources are picked by language, falling back to the neutral one.
#pragma once

#include "platform/owl/dialog.h"

namespace Quor {

class DialogBase : public OWL::TDialog {
 public:
  // `module` null: the program's own module.
  DialogBase(OWL::TWindow* parent, OWL::TResId templateId, OWL::TModule* module = nullptr);
};

// The language a dialog's template is read in: the application's when the dialog has a parent
// and there is an application object, else the host's user-interface language, else 0.
LANGID DialogLanguage(const OWL::TWindow* parent);

}  // namespace Quor
