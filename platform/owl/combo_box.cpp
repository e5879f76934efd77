#include "platform/owl/combo_box.h"

namespace OWL {

int TComboBox::AddString(const std::u16string& text) {
  m_items.push_back({text, 0});
  return GetCount() - 1;
}

std::u16string TComboBox::GetString(int index) const {
  return index >= 0 && index < GetCount() ? m_items[std::size_t(index)].text : std::u16string();
}

int TComboBox::SetItemData(int index, LPARAM data) {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  m_items[std::size_t(index)].data = data;
  return 0;
}

LPARAM TComboBox::GetItemData(int index) const {
  return index >= 0 && index < GetCount() ? m_items[std::size_t(index)].data : LPARAM(CB_ERR);
}

void TComboBox::SetSelIndex(int index) { m_selected = index >= 0 && index < GetCount() ? index : CB_ERR; }

int TComboBox::FindExact(const std::u16string& text) const {
  for (int i = 0; i < GetCount(); ++i) {
    if (m_items[std::size_t(i)].text == text) return i;
  }
  return CB_ERR;
}

void TComboBox::Choose(int index) {
  SetSelIndex(index);
  if (const HWND parent = GetParentH())
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetId(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetHandle()));
}

}  // namespace OWL
