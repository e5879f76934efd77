#include "platform/win32/metafile.h"

#include <map>
#include <mutex>
#include <set>
#include <string>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/metafile_recording.h"

namespace {

struct Metafile {
  std::vector<win32::gdi::RecordedCall> calls;
  RECT frame{};  // 0.01 mm
  std::u16string description;
};

std::mutex& MetafileMutex() {
  static std::mutex mutex;
  return mutex;
}

std::set<Metafile*>& LiveMetafiles() {
  static auto* live = new std::set<Metafile*>;
  return *live;
}

Metafile* FindMetafile(HENHMETAFILE handle) {
  std::lock_guard lock(MetafileMutex());
  auto* metafile = reinterpret_cast<Metafile*>(handle);
  return LiveMetafiles().count(metafile) ? metafile : nullptr;
}

// The frame and description given at creation, kept with the recording context.
struct PendingMetafile {
  RECT frame;
  std::u16string description;
};

std::map<HDC, PendingMetafile>& Pending() {
  static auto* pending = new std::map<HDC, PendingMetafile>;
  return *pending;
}

}  // namespace

HDC CreateEnhMetaFileW(HDC reference, LPCWSTR, const RECT* frame, LPCWSTR description) {
  const int dpi = reference ? GetDeviceCaps(reference, LOGPIXELSX) : GetDeviceCaps(nullptr, LOGPIXELSX);
  const int dotsPerInch = dpi > 0 ? dpi : 96;
  int width, height;
  RECT frameRect;
  if (frame) {
    width = MulDiv(frame->right - frame->left, dotsPerInch, 2540);
    height = MulDiv(frame->bottom - frame->top, dotsPerInch, 2540);
    frameRect = *frame;
  } else {
    const win32::ScreenDescription screen = win32::CurrentScreen();
    width = screen.width;
    height = screen.height;
    frameRect = {0, 0, MulDiv(width, 2540, dotsPerInch), MulDiv(height, 2540, dotsPerInch)};
  }
  const HDC dc = CreateCompatibleDC(reference);
  const HBITMAP surface = CreateCompatibleBitmap(dc, std::max(width, 1), std::max(height, 1));
  SelectObject(dc, surface);
  const RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  win32::gdi::DeviceContext* context = win32::gdi::FindDC(dc);
  context->kind = win32::gdi::DeviceKind::Metafile;
  context->dotsPerInch = dotsPerInch;
  context->recorder = std::make_shared<win32::gdi::Recorder>();
  std::lock_guard lock(MetafileMutex());
  Pending()[dc] = {frameRect, description ? description : u""};
  return dc;
}

HENHMETAFILE CloseEnhMetaFile(HDC dc) {
  win32::gdi::DeviceContext* context = win32::gdi::FindDC(dc);
  if (!context || !context->recorder) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  auto metafile = std::make_unique<Metafile>();
  metafile->calls = std::move(context->recorder->calls);
  {
    std::lock_guard lock(MetafileMutex());
    auto pending = Pending().find(dc);
    metafile->frame = pending->second.frame;
    metafile->description = pending->second.description;
    Pending().erase(pending);
  }
  // The surface bitmap is released with the context.
  if (win32::gdi::Bitmap* bitmap = win32::gdi::FindBitmap(context->bitmap)) --bitmap->selectedInto;
  const HBITMAP owned = context->bitmap;
  context->bitmap = nullptr;
  DeleteDC(dc);
  DeleteObject(owned);
  std::lock_guard lock(MetafileMutex());
  LiveMetafiles().insert(metafile.get());
  return reinterpret_cast<HENHMETAFILE>(metafile.release());
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE handle, const RECT* rect) {
  Metafile* metafile = FindMetafile(handle);
  if (!metafile || !win32::gdi::FindDC(dc)) return FALSE;
  const int saved = SaveDC(dc);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  if (rect) SetViewportOrgEx(dc, origin.x + rect->left, origin.y + rect->top, nullptr);
  win32::gdi::Replay(metafile->calls, dc);
  RestoreDC(dc, saved);
  return TRUE;
}

BOOL DeleteEnhMetaFile(HENHMETAFILE handle) {
  std::lock_guard lock(MetafileMutex());
  auto* metafile = reinterpret_cast<Metafile*>(handle);
  if (!LiveMetafiles().erase(metafile)) return FALSE;
  delete metafile;
  return TRUE;
}

namespace win32 {
std::size_t MetafileCallCount(HENHMETAFILE handle) {
  Metafile* metafile = FindMetafile(handle);
  return metafile ? metafile->calls.size() : 0;
}
}  // namespace win32
