// The Scintilla control keeps the document's bytes as they came.
#include "ui/ScintillaEdit.h"

#include <Scintilla.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tessark::test {
namespace {

std::string EveryByteValue()
{
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes.push_back(static_cast<char>(value));
    for (int value = 255; value >= 0; --value)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

class ScintillaEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        edit_ = std::make_unique<ScintillaEdit>(parent_, 100, RECT{0, 0, 400, 300});
        ASSERT_TRUE(edit_->ok()) << "no Scintilla window: " << GetLastError();
    }
    void TearDown() override
    {
        edit_.reset();
        if (parent_)
            DestroyWindow(parent_);
    }
    // The document as Scintilla holds it, read past the wrapper.
    std::string Buffer() const
    {
        const auto* bytes = reinterpret_cast<const char*>(edit_->Send(SCI_GETCHARACTERPOINTER));
        return std::string(bytes, static_cast<std::size_t>(edit_->Length()));
    }
    void ExpectKept(const std::string& bytes)
    {
        ASSERT_TRUE(edit_->SetText(bytes));
        // Painted once, so that drawing every kind of byte is part of the test.
        UpdateWindow(edit_->window());
        EXPECT_EQ(edit_->Length(), static_cast<std::intptr_t>(bytes.size()));
        EXPECT_EQ(edit_->Text(), bytes);
        EXPECT_EQ(Buffer(), bytes);
    }

    HWND parent_ = nullptr;
    std::unique_ptr<ScintillaEdit> edit_;
};

TEST_F(ScintillaEditTest, KeepsEveryByteValueInEachCodePage)
{
    for (const int codePage : {0, 1252, SC_CP_UTF8}) {
        SCOPED_TRACE(codePage);
        edit_->Send(SCI_SETCODEPAGE, static_cast<std::uintptr_t>(codePage));
        ExpectKept(EveryByteValue());
    }
}

TEST_F(ScintillaEditTest, KeepsEveryLineEndAndCountsEachAsOne)
{
    const std::string text = "CR\rLF\nCRLF\r\nLFCR\n\rCRCRLF\r\r\n\n";
    for (const int eolMode : {SC_EOL_CRLF, SC_EOL_CR, SC_EOL_LF}) {
        SCOPED_TRACE(eolMode);
        edit_->Send(SCI_SETEOLMODE, static_cast<std::uintptr_t>(eolMode));
        ExpectKept(text);
        // CR, LF, CR LF, LF, CR, CR, CR LF, LF: eight line ends, nine lines.
        EXPECT_EQ(edit_->Send(SCI_GETLINECOUNT), 9);
        EXPECT_EQ(edit_->Send(SCI_LINEFROMPOSITION, text.find("CRLF\r\n") + 6), 3) << "CR LF is one line end";
    }
    ExpectKept("\r");
    ExpectKept("\r\n\r\n");
    EXPECT_EQ(edit_->Send(SCI_GETLINECOUNT), 3);
}

TEST_F(ScintillaEditTest, ANewTextReplacesTheOldOneUnmodifiedAndWithoutUndo)
{
    ExpectKept(std::string(100'000, 'x') + EveryByteValue());
    ExpectKept("short");
    EXPECT_EQ(edit_->Send(SCI_GETMODIFY), 0);
    EXPECT_EQ(edit_->Send(SCI_CANUNDO), 0);
    ExpectKept("");
    EXPECT_EQ(edit_->Text(), "");
}

TEST_F(ScintillaEditTest, KeepsAMegabyteOfMixedBytesWhole)
{
    std::string bytes;
    while (bytes.size() < 1'000'000)
        bytes += EveryByteValue() + "\r\n\n\r";
    ExpectKept(bytes);
}

} // namespace
} // namespace tessark::test
