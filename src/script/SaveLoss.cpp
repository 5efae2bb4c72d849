#include "script/SaveLoss.h"

namespace tessark::script {
namespace {

// The pictures that DecodeScript shows for control bytes.
bool IsControlPicture(char32_t c)
{
    return (c >= 0x2400 && c < 0x2420) || c == 0x2421;
}

} // namespace

cp1252::LostCharacters LostOnSaving(std::wstring_view editorText)
{
    return cp1252::LostIn(editorText, IsControlPicture);
}

} // namespace tessark::script
