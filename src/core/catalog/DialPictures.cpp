#include "catalog/DialPictures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

using TShape = std::function<bool(double x, double y)>;

// A one-bit picture (black background, white shape) with every pixel whose centre lies
// in the shape set.
QImage MonoPicture(int width, int height, const TShape& inShape) {
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (inShape(x, y))
                image.setPixel(x, y, 1);
    return image;
}

// A tick of a scale: the unit vector of its ray (screen y pointing down) and its kind.
struct TTick {
    double Ux, Uy;
    bool Large;
};

TTick TickAt(double degrees, bool large) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {std::cos(a), -std::sin(a), large};
}

// The angle of a point about the centre in degrees, counter-clockwise from the right,
// in [from, from + 360).
double AngleOf(double dx, double dy, double from) {
    double degrees = std::atan2(-dy, dx) * 180.0 / std::numbers::pi;
    while (degrees < from)
        degrees += 360.0;
    while (degrees >= from + 360.0)
        degrees -= 360.0;
    return degrees;
}

constexpr double ArcInner = TPicturesForm::ScaleRadius - 1.5; // two pixels wide: 73..74
constexpr double ArcOuter = TPicturesForm::ScaleRadius + 0.5;
constexpr double LargeTickApex = ArcOuter - 14.0; // a triangle pointing at the centre
constexpr double LargeTickHalfBase = 4.0;
constexpr double SmallTickInner = ArcOuter - 7.0;
constexpr double SmallTickHalfWidth = 0.75;

bool InTick(double dx, double dy, const TTick& tick) {
    const double along = dx * tick.Ux + dy * tick.Uy;
    const double across = std::abs(dx * tick.Uy - dy * tick.Ux);
    if (tick.Large)
        return along >= LargeTickApex && along <= ArcOuter &&
               across <= LargeTickHalfBase * (along - LargeTickApex) / (ArcOuter - LargeTickApex);
    return along >= SmallTickInner && along <= ArcOuter && across <= SmallTickHalfWidth;
}

// An arc from `first` degrees clockwise to `last` degrees, a large tick every `step`
// degrees from `first` on and `smallPerStep` evenly spaced small ticks between them.
QImage ScalePicture(int width, int height, int first, int last, int step, int smallPerStep) {
    std::vector<TTick> ticks;
    const int smallStep = step / (smallPerStep + 1);
    for (int a = first; a >= last; a -= smallStep)
        ticks.push_back(TickAt(a, (first - a) % step == 0));
    const double c = TPicturesForm::ScaleCentre;
    return MonoPicture(width, height, [&](double x, double y) {
        const double dx = x - c, dy = y - c;
        const double r = std::hypot(dx, dy);
        // One degree past either end tick, so the arc runs under the whole tick.
        if (r >= ArcInner && r <= ArcOuter && AngleOf(dx, dy, last - 1) <= first + 1)
            return true;
        for (const TTick& tick : ticks)
            if (InTick(dx, dy, tick))
                return true;
        return false;
    });
}

QImage Disc(int size, double radius) {
    const double c = (size - 1) / 2.0;
    return MonoPicture(size, size,
                       [=](double x, double y) { return std::hypot(x - c, y - c) <= radius; });
}

QImage Needle() {
    constexpr double Hub = 64.0, HubRadius = 10.0, ShaftHalfThickness = 2.5;
    return MonoPicture(129, 129, [=](double x, double y) {
        if (std::hypot(x - Hub, y - Hub) <= HubRadius)
            return true;
        return x <= Hub && std::abs(y - Hub) < ShaftHalfThickness;
    });
}

// A 9 x 9 disc: everything but the 3 x 3 corner triangles.
QImage Marker() {
    return MonoPicture(9, 9, [](double x, double y) {
        const double dx = std::min(x, 8.0 - x), dy = std::min(y, 8.0 - y);
        return dx + dy >= 3.0;
    });
}

} // namespace

const TPicturesForm& TPicturesForm::Instance() {
    static const TPicturesForm pictures;
    return pictures;
}

TPicturesForm::TPicturesForm() {
    Pictures[int(TPicture::Circle99)] = Disc(199, 99.5);
    Pictures[int(TPicture::ScaleL)] = ScalePicture(79, 136, 234, 90, 36, 3);
    Pictures[int(TPicture::ScaleR)] = ScalePicture(149, 136, 234, -54, 36, 2);
    Pictures[int(TPicture::Arrow)] = Needle();
    Pictures[int(TPicture::Circle9)] = Marker();
}
