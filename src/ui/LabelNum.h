#pragma once
// A label that shows one whole number as plain decimal text, centred on its
// own background colour; the text is cut by the box.
#include "util/Win32.h"

#include <cstdint>

namespace tessark {

class TLabelNum {
public:
    TLabelNum(HWND parent, int id, int x, int y, int width, int height, COLORREF background, bool bold);
    HWND hwnd() const { return label_; }

    std::int32_t Valeur() const { return valeur_; }
    void SetValeur(std::int32_t value);

private:
    HWND label_ = nullptr;
    std::int32_t valeur_ = 0;
};

} // namespace tessark
