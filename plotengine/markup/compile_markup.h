// The one entry through which plot markup becomes script: parse the text, then write its tree
// as the description that the plot's setup call reads. Keeps nothing between calls and may run
// on the browser's script thread.
#pragma once

#include <string>

namespace Quor {

// True with the script text in `script`. False, with `script` unchanged, for text that is not
// markup or that holds a range of record positions.
bool CompileEtchMarkup(const std::string& markup, std::string& script);

}  // namespace Quor
