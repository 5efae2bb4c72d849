#include "util/FileMask.h"

#include <algorithm>
#include <cstddef>

namespace tessark {
namespace {

wchar_t Fold(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

// Greedy matching with one backtrack point: linear in practice, never exponential.
bool MatchesPattern(std::wstring_view name, std::wstring_view pattern)
{
    std::size_t n = 0, p = 0;
    std::size_t starAt = std::wstring_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::wstring_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool MatchesMask(std::wstring_view name, std::wstring_view mask)
{
    std::size_t start = 0;
    while (start <= mask.size()) {
        const std::size_t end = std::min(mask.find(L';', start), mask.size());
        const std::wstring_view pattern = mask.substr(start, end - start);
        if (!pattern.empty() && MatchesPattern(name, pattern))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace tessark
