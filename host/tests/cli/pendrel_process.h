// Runs the built `pendrel` as a separate process, as a user does, and collects what it wrote
// and its exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace CliTest {

struct ProcessResult {
  int status = -1;
  std::string out;
  std::string err;
};

ProcessResult RunPendrel(const std::vector<std::string>& arguments);

// A fresh folder under the system's temporary folder, removed by the caller.
std::filesystem::path MakeTempFolder();

std::string ReadText(const std::filesystem::path& path);
void WriteText(const std::filesystem::path& path, const std::string& text);
// How many lines a command's output has, counting line ends.
int LineCount(const std::string& text);

// The CSV printed by `analyse --csv`, as name → value.
std::vector<std::pair<std::string, double>> ParseMeasurementCsv(const std::string& csv);
double Value(const std::vector<std::pair<std::string, double>>& measurements,
             const std::string& name);

inline std::filesystem::path SharedDataFolder() { return RHYTH_SHARED_DATA_DIR; }
inline std::filesystem::path MitdbExcerpt() { return SharedDataFolder() / "mitdb-100s" / "100s.hea"; }

}  // namespace CliTest
