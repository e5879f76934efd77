// A picture of the analysis preview for a person to look at: the preview painted as its window
// shows it, written as a PNG file.
#pragma once

#include <filesystem>

namespace Rhyth {

class RhythPreviewPane;

// False when the preview has no area or the file could not be written.
bool WritePreviewPicture(RhythPreviewPane& preview, const std::filesystem::path& file);

}  // namespace Rhyth
