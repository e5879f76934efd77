// The GUI framework's drop-down list: items of text, each with a data word, at most one of them
// selected. The object keeps the items. Choose does what a person's pick does: selects the item
// and tells the parent (WM_COMMAND with CBN_SELCHANGE); SetSelIndex selects without telling.
#pragma once

#include <string>
#include <vector>

#include "platform/owl/controls.h"

namespace OWL {

constexpr int CB_ERR = -1;
constexpr WORD CBN_SELCHANGE = 1;

class TComboBox : public TControl {
 public:
  TComboBox(TWindow* parent, int resourceId) : TControl(parent, resourceId, u"ComboBox") {}

  // The new item's index.
  int AddString(const std::u16string& text);
  int GetCount() const { return int(m_items.size()); }
  std::u16string GetString(int index) const;
  // CB_ERR for an index out of range.
  int SetItemData(int index, LPARAM data);
  LPARAM GetItemData(int index) const;
  // CB_ERR when none is selected.
  int GetSelIndex() const { return m_selected; }
  // An index out of range selects none.
  void SetSelIndex(int index);
  // The index of the item of this text (compared as it is), or CB_ERR.
  int FindExact(const std::u16string& text) const;
  void Choose(int index);

 private:
  struct Item {
    std::u16string text;
    LPARAM data;
  };
  std::vector<Item> m_items;
  int m_selected = CB_ERR;
};

}  // namespace OWL
