#include "script/ScriptText.h"

#include "util/Text1252.h"

namespace tessark::script {
namespace {

constexpr wchar_t ControlPictures = 0x2400;
constexpr wchar_t DeletePicture = 0x2421;

// Length of the line end of kind `kind` at `i`, or 0 when there is none.
std::size_t LineEndAt(std::string_view bytes, std::size_t i, LineEnd kind)
{
    switch (kind) {
    case LineEnd::CrLf:
        return (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 0;
    case LineEnd::Lf:
        return bytes[i] == '\n' ? 1 : 0;
    case LineEnd::Cr:
        return bytes[i] == '\r' ? 1 : 0;
    }
    return 0;
}

wchar_t ShownCharacter(unsigned char byte)
{
    if (byte < 0x20 && byte != '\t')
        return static_cast<wchar_t>(ControlPictures + byte);
    if (byte == 0x7F)
        return DeletePicture;
    return cp1252::ToUnicode(byte);
}

std::string_view LineEndBytes(LineEnd kind)
{
    switch (kind) {
    case LineEnd::Lf:
        return "\n";
    case LineEnd::Cr:
        return "\r";
    case LineEnd::CrLf:
        break;
    }
    return "\r\n";
}

char StoredByte(wchar_t c)
{
    if (c >= ControlPictures && c < ControlPictures + 0x20)
        return static_cast<char>(c - ControlPictures);
    if (c == DeletePicture)
        return 0x7F;
    const auto byte = cp1252::FromUnicode(c);
    return byte ? static_cast<char>(*byte) : '?';
}

} // namespace

LineEnd FirstLineEnd(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n')
            return LineEnd::Lf;
        if (bytes[i] == '\r')
            return (i + 1 < bytes.size() && bytes[i + 1] == '\n') ? LineEnd::CrLf : LineEnd::Cr;
    }
    return LineEnd::CrLf;
}

EditorText DecodeScript(std::string_view bytes)
{
    EditorText result;
    result.lineEnd = FirstLineEnd(bytes);
    result.text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        if (const auto n = LineEndAt(bytes, i, result.lineEnd)) {
            result.text += L'\r';
            i += n;
        } else {
            result.text += ShownCharacter(static_cast<unsigned char>(bytes[i]));
            ++i;
        }
    }
    return result;
}

std::string EncodeScript(std::wstring_view text, LineEnd lineEnd)
{
    std::string bytes(2 * text.size(), '\0');
    bytes.resize(EncodeScriptInto(text, lineEnd, bytes.data()));
    return bytes;
}

std::size_t EncodeScriptInto(std::wstring_view text, LineEnd lineEnd, char* out)
{
    const auto eol = LineEndBytes(lineEnd);
    std::size_t written = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
            for (char byte : eol)
                out[written++] = byte;
        } else {
            out[written++] = StoredByte(c);
        }
    }
    return written;
}

} // namespace tessark::script
