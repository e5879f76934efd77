// Whether the analysis document's result series may be read. The document owns one and shares
// it with every enumerator the views hand to their plots, which outlive neither the view nor
// the document in intent but may be called late by a plot script: such a reader asks here
// first. The series are closed while an analysis rewrites them (between the document's
// changing and changed notices) and for good once the document has gone.
#pragma once

#include <memory>

namespace Rhyth {

class ViewDataState {
 public:
  bool IsReadable() const { return m_open && !m_retired; }

  void BeginChange() { m_open = false; }
  void EndChange() { m_open = true; }
  // The document is going: nothing of it may be read any more.
  void Retire() { m_retired = true; }

 private:
  bool m_open = true;
  bool m_retired = false;
};

using ViewDataStatePtr = std::shared_ptr<ViewDataState>;

}  // namespace Rhyth
