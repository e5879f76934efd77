#include "platform/win32/resource_templates.h"

#include <cstring>
#include <memory>
#include <mutex>

#include "platform/win32/hresult.h"
#include "platform/win32/input.h"
#include "platform/win32/last_error.h"
#include "platform/win32/menus.h"

namespace {

// Reads little-endian words and null-terminated texts from a template, refusing to pass its end.
class TemplateReader {
 public:
  TemplateReader(const void* data, std::size_t size)
      : m_data(static_cast<const unsigned char*>(data)), m_size(size) {}
  bool ok() const { return m_ok; }
  std::size_t offset() const { return m_at; }
  WORD Word() {
    if (m_at + 2 > m_size) return Fail();
    const WORD value = WORD(m_data[m_at] | (m_data[m_at + 1] << 8));
    m_at += 2;
    return value;
  }
  DWORD Dword() {
    const DWORD low = Word();
    return low | (DWORD(Word()) << 16);
  }
  std::u16string Text() {
    std::u16string text;
    while (m_ok)
      if (const WORD c = Word()) text += char16_t(c);
      else break;
    return text;
  }
  void AlignTo4() { m_at = (m_at + 3) & ~std::size_t(3); }
  // A class or a title: 0xFFFF and a number (returned in `number`, the text empty), or a text.
  std::u16string TextOrNumber(WORD& number) {
    number = 0;
    if (m_at + 2 <= m_size && m_data[m_at] == 0xFF && m_data[m_at + 1] == 0xFF) {
      Word();
      number = Word();
      return {};
    }
    return Text();
  }

 private:
  WORD Fail() {
    m_ok = false;
    m_at = m_size;
    return 0;
  }
  const unsigned char* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
  bool m_ok = true;
};

const void* ResourceBytes(HINSTANCE module, LPCWSTR name, LPCWSTR type, DWORD* size) {
  const HRSRC found = FindResourceW(module, name, type);
  if (!found) return nullptr;
  *size = SizeofResource(module, found);
  return LockResource(LoadResource(module, found));
}

constexpr WORD kMenuGrayed = 0x01;
constexpr WORD kMenuChecked = 0x08;
constexpr WORD kMenuPopup = 0x10;
constexpr WORD kMenuEnd = 0x80;

// Appends one level of items to `menu` until the item marked last.
bool ReadMenuItems(TemplateReader& reader, HMENU menu) {
  for (;;) {
    const WORD flags = reader.Word();
    if (flags & kMenuPopup) {
      const std::u16string text = reader.Text();
      HMENU popup = CreatePopupMenu();
      if (!reader.ok() || !ReadMenuItems(reader, popup)) {
        DestroyMenu(popup);
        return false;
      }
      AppendMenuW(menu, MF_POPUP | (flags & kMenuGrayed), reinterpret_cast<UINT_PTR>(popup), text.c_str());
    } else {
      const WORD id = reader.Word();
      const std::u16string text = reader.Text();
      if (!reader.ok()) return false;
      if (id == 0 && text.empty()) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      else AppendMenuW(menu, MF_STRING | (flags & (kMenuGrayed | kMenuChecked)), id, text.c_str());
    }
    if (flags & kMenuEnd) return true;
  }
}

struct AcceleratorTable {
  std::vector<ACCEL> entries;
};

std::mutex& TablesMutex() {
  static std::mutex mutex;
  return mutex;
}

// Loaded tables are kept for the process, as a module's tables are; loading one twice gives the
// same handle.
std::vector<std::unique_ptr<AcceleratorTable>>& Tables() {
  static auto* tables = new std::vector<std::unique_ptr<AcceleratorTable>>;
  return *tables;
}

const AcceleratorTable* FindTable(HACCEL handle) {
  std::lock_guard lock(TablesMutex());
  for (const auto& table : Tables())
    if (reinterpret_cast<HACCEL>(table.get()) == handle) return table.get();
  return nullptr;
}

std::u16string PredefinedClass(WORD atom) {
  switch (atom) {
    case 0x80: return u"Button";
    case 0x81: return u"Edit";
    case 0x82: return u"Static";
    case 0x83: return u"ListBox";
    case 0x84: return u"ScrollBar";
    case 0x85: return u"ComboBox";
    default: return {};
  }
}

}  // namespace

namespace {

HMENU ReadMenuTemplate(const void* bytes, std::size_t size) {
  TemplateReader reader(bytes, size);
  reader.Word();  // version
  reader.Word();  // header size
  HMENU menu = CreateMenu();
  if (!ReadMenuItems(reader, menu)) {
    DestroyMenu(menu);
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return menu;
}

}  // namespace

HMENU LoadMenuW(HINSTANCE module, LPCWSTR name) {
  DWORD size = 0;
  const void* bytes = ResourceBytes(module, name, RT_MENU, &size);
  return bytes ? ReadMenuTemplate(bytes, size) : nullptr;
}

HMENU LoadMenuIndirectW(const void* menuTemplate) {
  if (!menuTemplate) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // A template handed in carries no size: it ends where its last item says so, within the
  // largest menu template the format allows.
  return ReadMenuTemplate(menuTemplate, 0xFFFF);
}

HACCEL LoadAcceleratorsW(HINSTANCE module, LPCWSTR name) {
  DWORD size = 0;
  const void* bytes = ResourceBytes(module, name, RT_ACCELERATOR, &size);
  if (!bytes) return nullptr;
  auto table = std::make_unique<AcceleratorTable>();
  TemplateReader reader(bytes, size);
  constexpr WORD kLastEntry = 0x80;
  for (bool last = false; !last;) {
    const WORD flags = reader.Word();
    const WORD key = reader.Word();
    const WORD command = reader.Word();
    reader.Word();  // padding
    if (!reader.ok()) {
      SetLastError(ERROR_INVALID_DATA);
      return nullptr;
    }
    table->entries.push_back({BYTE(flags & (FVIRTKEY | FSHIFT | FCONTROL | FALT)), key, command});
    last = flags & kLastEntry;
  }
  std::lock_guard lock(TablesMutex());
  for (const auto& kept : Tables())
    if (kept->entries.size() == table->entries.size() &&
        std::equal(kept->entries.begin(), kept->entries.end(), table->entries.begin(),
                   [](const ACCEL& a, const ACCEL& b) {
                     return a.fVirt == b.fVirt && a.key == b.key && a.cmd == b.cmd;
                   }))
      return reinterpret_cast<HACCEL>(kept.get());
  Tables().push_back(std::move(table));
  return reinterpret_cast<HACCEL>(Tables().back().get());
}

int CopyAcceleratorTableW(HACCEL handle, ACCEL* entries, int capacity) {
  const AcceleratorTable* table = FindTable(handle);
  if (!table) return 0;
  if (!entries) return int(table->entries.size());
  const int count = std::min<int>(capacity, int(table->entries.size()));
  std::copy_n(table->entries.begin(), count, entries);
  return count;
}

int TranslateAcceleratorW(HWND window, HACCEL handle, MSG* message) {
  const AcceleratorTable* table = FindTable(handle);
  if (!table || !message || (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN))
    return 0;
  auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
  BYTE held = 0;
  if (down(VK_SHIFT)) held |= FSHIFT;
  if (down(VK_CONTROL)) held |= FCONTROL;
  if (down(VK_MENU)) held |= FALT;
  for (const ACCEL& entry : table->entries) {
    // Character entries name the key of their letter and need no modifier but their own.
    if (entry.key != WORD(message->wParam) || (entry.fVirt & ~FVIRTKEY) != held) continue;
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
    return 1;
  }
  return 0;
}

namespace win32 {

bool ParseDialogTemplate(const void* data, DWORD size, DialogTemplate& out) {
  constexpr DWORD kSetFont = 0x40;
  out = {};
  TemplateReader reader(data, size);
  out.style = reader.Dword();
  reader.Dword();  // extended style
  const WORD count = reader.Word();
  out.x = short(reader.Word());
  out.y = short(reader.Word());
  out.width = short(reader.Word());
  out.height = short(reader.Word());
  WORD number = 0;
  reader.TextOrNumber(number);  // menu
  reader.TextOrNumber(number);  // class
  out.caption = reader.Text();
  if (out.style & kSetFont) {
    out.pointSize = reader.Word();
    out.face = reader.Text();
  }
  for (WORD i = 0; i < count && reader.ok(); ++i) {
    reader.AlignTo4();
    DialogControl control;
    control.style = reader.Dword();
    reader.Dword();  // extended style
    control.x = short(reader.Word());
    control.y = short(reader.Word());
    control.width = short(reader.Word());
    control.height = short(reader.Word());
    control.id = reader.Word();
    control.className = reader.TextOrNumber(number);
    if (number) control.className = PredefinedClass(number);
    control.text = reader.TextOrNumber(number);
    const WORD extra = reader.Word();
    for (WORD skipped = 0; skipped < extra; skipped += 2) reader.Word();
    out.controls.push_back(std::move(control));
  }
  return reader.ok();
}

bool LoadDialogTemplate(HINSTANCE module, LPCWSTR name, LANGID language, DialogTemplate& out) {
  HRSRC found = FindResourceExW(module, RT_DIALOG, name, language);
  if (!found) found = FindResourceExW(module, RT_DIALOG, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  if (!found) return false;
  const void* bytes = LockResource(LoadResource(module, found));
  if (ParseDialogTemplate(bytes, SizeofResource(module, found), out)) return true;
  SetLastError(ERROR_INVALID_DATA);
  return false;
}

}  // namespace win32
