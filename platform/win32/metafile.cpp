#include "platform/win32/metafile.h"

#include <map>
#include <mutex>
#include <set>
#include <string>

#include <fstream>

#include "platform/win32/emf_file.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/metafile_recording.h"
#include "platform/win32/utf8_path.h"

namespace {

struct Metafile {
  std::vector<win32::gdi::RecordedCall> calls;
  win32::emf::FileDescription file;
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

// What the file will say of the picture, kept with the recording context from its creation, and
// where it goes.
struct PendingMetafile {
  win32::emf::FileDescription file;
  std::string path;
};

// A description is two strings, each closed by a null, and a null after them; it is kept with
// all three.
std::u16string DescriptionOf(LPCWSTR description) {
  if (!description) return {};
  std::u16string text;
  int nulls = 0;
  for (const WCHAR* c = description; nulls < 2; ++c) {
    text += *c;
    nulls = *c ? 0 : nulls + 1;
  }
  return text;
}

bool WriteFile(const std::string& path, const win32::emf::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

std::map<HDC, PendingMetafile>& Pending() {
  static auto* pending = new std::map<HDC, PendingMetafile>;
  return *pending;
}

}  // namespace

HDC CreateEnhMetaFileW(HDC reference, LPCWSTR fileName, const RECT* frame, LPCWSTR description) {
  std::string path;
  if (fileName) {
    // The file is made at once, so a name that cannot be written fails here, not at the end.
    if (!win32::Utf8PathFromName(fileName, path) || !WriteFile(path, {})) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return nullptr;
    }
  }
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
  const win32::ScreenDescription screen = win32::CurrentScreen();
  win32::emf::FileDescription file;
  file.frame = frameRect;
  file.pictureSize = {std::max(width, 1), std::max(height, 1)};
  file.description = DescriptionOf(description);
  file.devicePixels = {screen.width, screen.height};
  file.deviceMillimetres = {MulDiv(screen.width, 254, dotsPerInch * 10),
                            MulDiv(screen.height, 254, dotsPerInch * 10)};
  std::lock_guard lock(MetafileMutex());
  Pending()[dc] = {file, path};
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
  std::string path;
  {
    std::lock_guard lock(MetafileMutex());
    auto pending = Pending().find(dc);
    metafile->file = pending->second.file;
    path = pending->second.path;
    Pending().erase(pending);
  }

  // The surface bitmap is released with the context.
  if (win32::gdi::Bitmap* bitmap = win32::gdi::FindBitmap(context->bitmap)) --bitmap->selectedInto;
  const HBITMAP owned = context->bitmap;
  context->bitmap = nullptr;
  DeleteDC(dc);
  DeleteObject(owned);
  if (!path.empty() && !WriteFile(path, win32::emf::EnhancedMetafile(metafile->calls, metafile->file))) {
    SetLastError(ERROR_WRITE_FAULT);
    return nullptr;
  }
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
  double scaleX = 1, scaleY = 1;
  if (rect) {
    SetViewportOrgEx(dc, origin.x + rect->left, origin.y + rect->top, nullptr);
    // The picture is stretched over the rectangle, as a larger or smaller page would take it.
    const SIZE picture = metafile->file.pictureSize;
    if (picture.cx > 0 && picture.cy > 0 && rect->right > rect->left && rect->bottom > rect->top) {
      scaleX = double(rect->right - rect->left) / picture.cx;
      scaleY = double(rect->bottom - rect->top) / picture.cy;
    }
  }
  win32::gdi::Replay(metafile->calls, dc, scaleX, scaleY);
  RestoreDC(dc, saved);
  return TRUE;
}

UINT GetEnhMetaFileBits(HENHMETAFILE handle, UINT size, BYTE* data) {
  Metafile* metafile = FindMetafile(handle);
  if (!metafile) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const win32::emf::Bytes bytes = win32::emf::EnhancedMetafile(metafile->calls, metafile->file);
  if (!data) return UINT(bytes.size());
  if (size < bytes.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::copy(bytes.begin(), bytes.end(), data);
  return UINT(bytes.size());
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

std::size_t LiveMetafileCount() {
  std::lock_guard lock(MetafileMutex());
  return LiveMetafiles().size();
}
}  // namespace win32
