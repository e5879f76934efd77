// Message boxes. Nobody sits at the headless process: every box is recorded and answered by the
// installed answerer, Cancel when none is installed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/types.h"

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_ICONERROR = 0x0010;
constexpr UINT MB_ICONWARNING = 0x0030;
constexpr UINT MB_TASKMODAL = 0x2000;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

namespace win32 {

struct MessageBoxCall {
  HWND owner;
  std::u16string text;
  std::u16string caption;
  UINT type;
};

using MessageBoxAnswerer = std::function<int(const MessageBoxCall&)>;

// Null restores the default answer, Cancel.
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer);
// The boxes shown since the last call, oldest first.
std::vector<MessageBoxCall> TakeMessageBoxCalls();

}  // namespace win32
