#pragma once
// The application's hourglass: while one of these lives, the mouse pointer is
// the hourglass over every window of the program.
namespace tessark {

class HourGlass {
public:
    HourGlass();
    ~HourGlass();
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;

    static bool Active();
    // Puts the hourglass back after a control set its own pointer.
    static void Reassert();
};

} // namespace tessark
