// Script sets: the plot page's loader serves, besides single scripts, whole sets of embedded
// scripts whose make-up is spelled in the requested file name ("etch_local.js",
// "etch_no_jquery.js"). Stateless.
#pragma once

#include <string>

namespace Quor {

// Flags of a script set.
inline constexpr unsigned kScriptJQuery = 1;  // jquery.js first
inline constexpr unsigned kScriptRemote = 2;  // remote.js after main.js
inline constexpr unsigned kScriptSetDefault = kScriptJQuery | kScriptRemote;

// Reads a set name: "etch", then words joined by "_" ("no" and "not" negate the next of
// "local", "remote" and "jquery"; other words are passed over), then ".js", in any letter case.
// `flags` starts at kScriptSetDefault, which stays when the name is not a set.
bool ParseScriptSetName(const std::string& name, unsigned& flags);

// The set's scripts, each followed by CR LF: jquery.js when asked for, main.js, remote.js when
// asked for, then every other script in table order.
bool AssembleScriptSet(unsigned flags, std::string& buffer);

// A set name or the exact name of an embedded script.
bool IsServableScriptName(const std::string& name);

// "text/javascript" for a last extension of exactly ".js", "text/html" for ".html"; false for
// any other, or none.
bool GetMimeTypeForName(const std::string& name, std::string& mime);

}  // namespace Quor
