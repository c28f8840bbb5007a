#pragma once

#include <string>
#include <string_view>

namespace plakato {

// Turns a "description|patterns|description|patterns" filter text into the
// toolkit's form: entries "description (pattern pattern)" joined by ";;".
// The description is kept as written; the toolkit reads the patterns from the
// last parentheses, so they are appended even when the description already
// names them. A trailing description without patterns is dropped.
std::string ToToolkitFilter(std::string_view filter);

}  // namespace plakato
