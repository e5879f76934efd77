#include "views/report/html_clipboard.h"

#include <cstdio>
#include <cstring>

#include "platform/win32/clipboard.h"
#include "platform/win32/global_memory.h"

namespace Rhyth {

namespace {

constexpr char kHeader[] =
    "Version:0.9\r\nStartHTML:00000000\r\nEndHTML:00000000\r\nStartFragment:00000000\r\n"
    "EndFragment:00000000\r\n<html><body>\r\n<!--StartFragment -->\r\n";
constexpr char kTrailer[] = "\r\n<!--EndFragment-->\r\n</body>\r\n</html>";
// Shared with other processes, as the clipboard's blocks are.
constexpr UINT kSharedBlock = GMEM_MOVEABLE | 0x2000;

// Writes `offset` over the eight digits after the first `field` of the text.
void FillOffset(std::string& text, std::string_view field, std::size_t offset) {
  const std::size_t at = text.find(field);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08u", unsigned(offset));
  text.replace(at + field.size(), 8, digits, 8);
}

UINT HtmlFormat() {
  static const UINT format = RegisterClipboardFormatW(u"HTML Format");
  return format;
}

}  // namespace

std::string HtmlClipboardText(std::string_view page) {
  std::string text;
  text.reserve(sizeof kHeader + page.size() + sizeof kTrailer);
  text += kHeader;
  text += page;
  text += kTrailer;
  // Each marker is found first where the header does not name it: "<html>" and the comments
  // appear in the header only after their fields.
  FillOffset(text, "StartHTML:", text.find("<html>"));
  FillOffset(text, "EndHTML:", text.size());
  FillOffset(text, "StartFragment:", text.find("<!--StartFragment -->"));
  FillOffset(text, "EndFragment:", text.rfind("<!--EndFragment-->"));
  text.push_back('\0');
  return text;
}

void CopyHtmlToClipboard(std::string_view page) {
  const std::string text = HtmlClipboardText(page);
  const UINT format = HtmlFormat();
  if (!OpenClipboard(nullptr)) return;
  if (HGLOBAL block = GlobalAlloc(kSharedBlock, text.size() + 4)) {
    if (void* memory = GlobalLock(block)) {
      std::memcpy(memory, text.data(), text.size());
      GlobalUnlock(block);
      // The clipboard owns a block it takes; one it refuses is still ours.
      if (!SetClipboardData(format, block)) GlobalFree(block);
    } else {
      GlobalFree(block);
    }
  }
  CloseClipboard();
}

}  // namespace Rhyth
