// A GDI+ metafile being recorded: drawing on it goes through the GDI records of an enhanced
// metafile context (saved EMFs carry no EMF+ part), in memory or into a file that is written
// when the recording ends. The recording ends at GetHENHMETAFILE, which hands the metafile to
// the caller, or at destruction. Owned by whoever made it.
#pragma once

#include <string>

#include "platform/gdiplus/image.h"
#include "platform/win32/metafile.h"

namespace Gdiplus {

class Metafile : public Image {
 public:
  // `frame` in pixels of the reference context when `unit` is MetafileFrameUnitPixel.
  Metafile(HDC reference, const RectF& frame, MetafileFrameUnit unit = MetafileFrameUnitGdi,
           EmfType type = EmfTypeEmfPlusDual, const WCHAR* description = nullptr);
  Metafile(const WCHAR* fileName, HDC reference, const RectF& frame,
           MetafileFrameUnit unit = MetafileFrameUnitGdi, EmfType type = EmfTypeEmfPlusDual,
           const WCHAR* description = nullptr);
  ~Metafile() override;

  // Ends the recording and gives the caller the metafile; null when it was ended before.
  HENHMETAFILE GetHENHMETAFILE();
  // The context recorded on; null once the recording has ended.
  HDC RecordingContext() const { return m_dc; }

 private:
  void Begin(const WCHAR* fileName, HDC reference, const RectF& frame, MetafileFrameUnit unit,
             const WCHAR* description);

  HDC m_dc = nullptr;
};

}  // namespace Gdiplus
