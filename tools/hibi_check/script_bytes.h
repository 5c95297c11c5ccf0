// A script file's raw bytes, for the diagnostics that need byte positions: the game
// itself only ever sees the decoded lines (storage/text_file.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace hibi::check {

// The lines as the game splits them: a line ends at CR LF or at a lone CR, the last
// line needs no line end, and a lone LF is part of its line. No line at all for an
// empty file.
std::vector<std::string_view> SplitRawLines(std::string_view bytes);

// The offset of the first byte sequence that is not code page 932 (a sequence cut
// off by the end of the line counts), or nullopt when the whole line decodes.
std::optional<std::size_t> FirstInvalidCp932(std::string_view line);

// True for text with at least one multi-byte UTF-8 sequence and no invalid one: a
// script saved in the wrong encoding.
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace hibi::check
