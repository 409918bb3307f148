#pragma once

// The five monochrome pictures the dial screens of the MK preview are stamped from. White
// pixels belong to the shape, black ones are background.

#include <QImage>
#include <array>

enum class TPicture : int {
    Circle99, // 199 x 199: the dial disc
    ScaleL,   // 79 x 136: the left dial's scale, five large ticks
    ScaleR,   // 149 x 136: the right dial's scale, nine large ticks
    Arrow,    // 129 x 129: a needle pointing left from the hub at (64, 64)
    Circle9,  // 9 x 9: the marker of the left dial
};

constexpr int PictureCount = 5;

// Holds the pictures for the whole run; the program creates it at start-up and the
// preview reads from it.
class TPicturesForm {
public:
    // The one container, drawn the first time it is asked for.
    static const TPicturesForm& Instance();

    const QImage& Picture(TPicture picture) const { return Pictures[int(picture)]; }

    // Angles, counter-clockwise from the right, of the large ticks of the two scales; the
    // dial labels sit on the same rays.
    static constexpr std::array<int, 5> LeftScaleTicks = {234, 198, 162, 126, 90};
    static constexpr std::array<int, 9> RightScaleTicks = {234, 198, 162, 126, 90,
                                                           54,  18,  -18, -54};
    // Radius of the scale arcs and the point of each scale picture they are centred on.
    static constexpr int ScaleRadius = 74;
    static constexpr int ScaleCentre = 74;

private:
    TPicturesForm();

    std::array<QImage, PictureCount> Pictures;
};
