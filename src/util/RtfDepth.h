#pragma once
// How deeply the groups of a rich-text document nest, read the way the format
// reads them: "\{", "\}" and "\\" are characters, not group marks.
#include <cstddef>
#include <string_view>

namespace tessark::rtf {

// The data of a "\binN" control word: N raw bytes, which the format skips
// unread; some readers take them as ordinary text, braces included.
enum class BinaryData { Skipped, ReadAsText };

// The greatest number of groups open at once; the document's outer group
// counts as one. A closing brace with no group open is ignored.
std::size_t GroupDepth(std::string_view document, BinaryData binary = BinaryData::Skipped);

} // namespace tessark::rtf
