#pragma once
// The scroll box of the picture area and the picture display inside it. The
// display takes its picture's size and sits centred in the box; the box's
// scroll bars appear when the picture is larger and follow the thumb while it
// is dragged.
#include "util/Win32.h"

namespace tessark {

namespace image {
class Picture;
}

class PictureView {
public:
    // `picture` is shown as it is at each paint; call PictureChanged after
    // giving it another size or other pixels.
    void Create(HWND parent, int scrollBoxId, int imageId, const image::Picture* picture);
    HWND ScrollBox() const { return scrollBox_; }
    HWND Image() const { return image_; }
    void PictureChanged();
    // Shows the picture as the game shows a title logo (see image/GameView.h)
    // or as it is; the picture itself does not change.
    void ShowAsInGame(bool asInGame);
    bool ShowsAsInGame() const { return asInGame_; }

private:
    friend LRESULT CALLBACK ScrollBoxProcedure(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ImageProcedure(HWND, UINT, WPARAM, LPARAM);
    void LayOut();
    void Scroll(int bar, int request);
    void Paint(HDC dc, const RECT& area) const;
    void PaintAsInGame(HDC dc, const RECT& area) const;

    HWND scrollBox_ = nullptr;
    HWND image_ = nullptr;
    const image::Picture* picture_ = nullptr;
    bool layingOut_ = false;
    bool asInGame_ = false;
};

} // namespace tessark
