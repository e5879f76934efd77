// Menus, accelerator tables and dialog templates loaded from a module's resources (compiled from
// their text formats by scripts/compile_resources.py). A loaded menu belongs to the caller until
// DestroyMenu; accelerator tables live as long as the process; a dialog template is read into a
// description its owner keeps.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/resources.h"

HMENU LoadMenuW(HINSTANCE module, LPCWSTR name);
// Reads a menu template: a header of two words, then the items.
HMENU LoadMenuIndirectW(const void* menuTemplate);

constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;
struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};
HACCEL LoadAcceleratorsW(HINSTANCE module, LPCWSTR name);
int CopyAcceleratorTableW(HACCEL table, ACCEL* entries, int capacity);
// A key-down message that matches an entry of the table (its modifiers as GetKeyState reports
// them) is sent to the window as WM_COMMAND with 1 in the high word; returns whether it was.
int TranslateAcceleratorW(HWND window, HACCEL table, MSG* message);

namespace win32 {

struct DialogControl {
  DWORD style = 0;
  short x = 0, y = 0, width = 0, height = 0;  // dialog units
  WORD id = 0;
  std::u16string className;  // the predefined classes by name: "Button", "Edit", "Static", ...
  std::u16string text;
};

struct DialogTemplate {
  DWORD style = 0;
  short x = 0, y = 0, width = 0, height = 0;
  std::u16string caption;
  WORD pointSize = 0;
  std::u16string face;
  std::vector<DialogControl> controls;
};

// Reads a dialog template; false for one that is cut short.
bool ParseDialogTemplate(const void* data, DWORD size, DialogTemplate& out);
// The module's dialog in `language`, else its neutral one, else the dialog in any language.
bool LoadDialogTemplate(HINSTANCE module, LPCWSTR name, LANGID language, DialogTemplate& out);

}  // namespace win32
