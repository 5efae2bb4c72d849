#include "script/ScriptText.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

using namespace tessark::script;

namespace {
std::string RoundTrip(const std::string& bytes)
{
    const auto decoded = DecodeScript(bytes);
    return EncodeScript(decoded.text, decoded.lineEnd);
}
} // namespace

TEST(ScriptText, EveryByteValueSurvivesLoadAndSave)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(RoundTrip(all), all);
    EXPECT_EQ(RoundTrip(all + all + "\r\n" + all), all + all + "\r\n" + all);
}

TEST(ScriptText, EachKindOfLineEndIsKeptAndShownAsALineBreak)
{
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        const std::string file = "[Level]" + eol + "Name= Cit\xe9" + eol + eol + "x";
        const auto decoded = DecodeScript(file);
        EXPECT_EQ(decoded.text, L"[Level]\rName= Cité\r\rx");
        EXPECT_EQ(EncodeScript(decoded.text, decoded.lineEnd), file);
    }
    EXPECT_EQ(DecodeScript("no line end").lineEnd, LineEnd::CrLf);
    EXPECT_EQ(DecodeScript("a\nb\r\n").lineEnd, LineEnd::Lf);
}

TEST(ScriptText, LineEndsOfAnotherKindInAMixedFileAreShownAsSymbolsAndKept)
{
    const std::string mixed = "a\r\nb\nc\rd\r\n\0e"s;
    const auto decoded = DecodeScript(mixed);
    EXPECT_EQ(decoded.text, L"a\rb\u240Ac\u240Dd\r\u2400e");
    EXPECT_EQ(EncodeScript(decoded.text, decoded.lineEnd), mixed);
}

TEST(ScriptText, SavingWritesTheDocumentsLineEndForEveryBreakAndMarksUnknownCharacters)
{
    EXPECT_EQ(EncodeScript(L"a\r\nb\nc\rd", LineEnd::CrLf), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(EncodeScript(L"a\rb", LineEnd::Lf), "a\nb");
    EXPECT_EQ(EncodeScript(L"Привет €", LineEnd::CrLf), "?????? \x80");
    EXPECT_EQ(EncodeScript(L"", LineEnd::Cr), "");
}

TEST(ScriptText, TheEncodingIntoABufferGivesTheSavedBytesWithinTwiceTheLength)
{
    const std::wstring texts[] = {L"", L"\r\r\r", L"a\r\nb\nc\rd", L"Cit\u00e9 \u20ac \u4e2d\u2400\u2421\r"};
    for (const auto lineEnd : {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr}) {
        for (const auto& text : texts) {
            std::string buffer(2 * text.size() + 1, '#');
            const std::size_t written = EncodeScriptInto(text, lineEnd, buffer.data());
            EXPECT_LE(written, 2 * text.size());
            EXPECT_EQ(buffer.substr(0, written), EncodeScript(text, lineEnd));
            EXPECT_EQ(buffer.back(), '#') << "nothing written past the room it was given";
        }
    }
}
