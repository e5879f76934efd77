// The embedded script table: the plotting scripts and jQuery, compiled into the module as text
// at build time (scripts/compile_script_table.py) and sorted by file name. Constant data that
// lives as long as the module.
#pragma once

#include <cstddef>

namespace Quor {

// One script. A script's text is its chunks concatenated in order, with nothing between them;
// where the text is cut carries no meaning.
struct EmbeddedScript {
  const char* name;           // an ASCII file name; null in the record that ends the table
  const char* const* chunks;  // NUL-terminated ASCII texts, ended by a null entry
};

inline constexpr std::size_t kMaxScriptChunks = 682;

// The records in name order, then the end record.
extern const EmbeddedScript kEmbeddedScriptTable[];

}  // namespace Quor
