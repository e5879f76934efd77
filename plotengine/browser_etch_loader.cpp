#include "plotengine/browser_etch_loader.h"

#include <string>

#include "core/resource_stream.h"
#include "plotengine/etch_file_stream.h"
#include "plotengine/scripts/script_sets.h"
#include "platform/win32/resources.h"

namespace Quor {
namespace {

// The images the page's style sheet names, raw-data resources of the host executable.
struct HostImage {
  const char* file;
  const char16_t* resource;
  const char16_t* mime;
};

constexpr HostImage kHostImages[] = {
    {"throbber.gif", u"ETCH_RES_Throbber", u"image/gif"},
    {"cursor_down_stretch_r.cur", u"ETCH_RES_StretchDown", u"application/octet-stream"},
    {"cursor_l_stretch_t.cur", u"ETCH_RES_StretchLeft", u"application/octet-stream"},
    {"cursor_lr_move_t.cur", u"ETCH_RES_MoveHorz", u"application/octet-stream"},
    {"cursor_r_stretch_t.cur", u"ETCH_RES_StretchRight", u"application/octet-stream"},
    {"cursor_up_down_move_r.cur", u"ETCH_RES_MoveVert", u"application/octet-stream"},
    {"cursor_up_stretch_r.cur", u"ETCH_RES_StretchUp", u"application/octet-stream"},
    {"cursor_all_stretch_t.cur", u"ETCH_RES_StretchAllHorz", u"application/octet-stream"},
    {"cursor_all_stretch_r.cur", u"ETCH_RES_StretchAllVertRight", u"application/octet-stream"},
};

const HostImage* FindHostImage(const std::string& file) {
  for (const HostImage& image : kHostImages) {
    if (file == image.file) return &image;
  }
  return nullptr;
}

}  // namespace

BrowserEtchLoader::BrowserEtchLoader() : BrowserLoaderBase(kEtchPlotPrefix) {}

bool BrowserEtchLoader::LoadResource(const String& url, String& mime, IQuorStreamReader** stream) {
  String resourceName;
  if (!GetResourceName(url, resourceName)) return false;
  const std::string name = resourceName.ToUtf8String();
  if (IsServableScriptName(name) || name == "local.html") {
    std::string type;
    auto* file = new EtchFileStream(name, type);
    file->AddRef();
    // A set name whose extension gives no MIME type (Etch_Local.JS) has no bytes to serve.
    if (type.empty()) {
      file->Release();
      return false;
    }
    *stream = file;
    mime = String(type);
    return true;
  }
  if (const HostImage* image = FindHostImage(name)) {
    *stream = new ResourceStream(image->resource, RT_RCDATA, GetModuleHandleW(nullptr));
    (*stream)->AddRef();
    mime = image->mime;
    return true;
  }
  return false;
}

}  // namespace Quor
