#include "host/cli/open_and_analyse.h"

namespace PendrelHost {

AnalysisResults OpenAndAnalyse(AnalysisSession& session, const std::optional<std::string>& file,
                               const SyntheticEcgSettings& sample, const SettingsRequest& settings,
                               std::FILE* err) {
  if (file) {
    session.OpenFile(*file);
  } else {
    session.OpenSample(sample);
  }
  if (!settings.IsEmpty()) {
    if (session.FromDocumentFile()) {
      throw SettingsRefused("the settings options do not apply to a saved document, which keeps "
                            "its analysis");
    }
    ApplySettings(session, settings);
  }
  if (!session.FromDocumentFile()) session.Analyse();
  AnalysisResults results = session.Results();
  for (const std::string& message : session.TakeMessages()) {
    std::fprintf(err, "pendrel: %s\n", message.c_str());
  }
  return results;
}

}  // namespace PendrelHost
