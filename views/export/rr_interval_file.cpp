#include "views/export/rr_interval_file.h"

#include <locale>
#include <ostream>

#include "views/export/crlf_text_buf.h"

namespace Rhyth {

HRESULT WriteRRIntervalFile(const AnalysisEngine& engine, const std::string& target,
                            const FileCalls& calls) {
  ReplacingFile file(target, calls);
  if (const HRESULT opened = file.Open(); FAILED(opened)) return opened;
  CrLfTextBuf buffer(file);
  std::wostream stream(&buffer);
  stream.imbue(std::locale::classic());
  const HRESULT written = engine.WriteRRIntervals(stream) == 0 ? S_OK : S_FALSE;
  if (const HRESULT sent = buffer.Finish(); FAILED(sent)) return sent;
  // The buffer reports every failure of its own; the stream's state covers the formatting.
  if (!stream) return E_FAIL;
  if (const HRESULT committed = file.Commit(); FAILED(committed)) return committed;
  return written;
}

}  // namespace Rhyth
