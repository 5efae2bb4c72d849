#include "util/InstallLayout.h"

namespace tessark::layout {

std::wstring InstallPath(std::wstring_view root, std::wstring_view relative, wchar_t separator)
{
    std::wstring path(root);
    for (wchar_t c : relative)
        path += (c == L'\\') ? separator : c;
    return path;
}

} // namespace tessark::layout
