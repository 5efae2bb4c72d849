#pragma once
// Conversion between a script file's bytes and the editor's text.
//
// The editor keeps one kind of line break (a paragraph mark, '\r'), while files
// end their lines with CR LF, LF or CR. A file's own line end is the first one
// it holds (CR LF when it has none); those become the editor's line breaks and
// are written back the same way. Control bytes the editor cannot hold as they
// are (NUL, line ends of another kind in a mixed file, ...) are shown as the
// matching Unicode control pictures (U+2400 + byte, U+2421 for DEL) and turned
// back into their bytes on saving, so a file saved without edits comes back
// byte for byte.
#include <cstddef>
#include <string>
#include <string_view>

namespace tessark::script {

enum class LineEnd { CrLf, Lf, Cr };

struct EditorText {
    std::wstring text;      // line breaks as '\r'
    LineEnd lineEnd = LineEnd::CrLf;
};

EditorText DecodeScript(std::string_view bytes);
// The kind of the first line end in `bytes`; CR LF when there is none.
LineEnd FirstLineEnd(std::string_view bytes);
// Line breaks in `text` may be "\r\n", '\r' or '\n'; each becomes one `lineEnd`.
// Characters Windows-1252 cannot hold are written as '?'.
std::string EncodeScript(std::wstring_view text, LineEnd lineEnd);
// The same bytes, written into `out`, which holds at least 2 x text.size()
// bytes; allocates nothing. Returns how many bytes it wrote.
std::size_t EncodeScriptInto(std::wstring_view text, LineEnd lineEnd, char* out);

} // namespace tessark::script
