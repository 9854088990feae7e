#include "about_window/LinkHover.h"

#include <QPoint>

#include <cmath>

int roundHalfToEven(double value)
{
    if (std::abs(value - std::trunc(value)) == 0.5)
        return static_cast<int>(2.0 * std::round(value / 2.0));
    return static_cast<int>(std::round(value));
}

ScreenBounds linkBoundsOnScreen(
    const QPoint &clientOrigin, double twipsPerPixel, const TwipsRect &label)
{
    ScreenBounds bounds {};
    bounds.left = roundHalfToEven(clientOrigin.x() + label.left / twipsPerPixel);
    bounds.top = roundHalfToEven(clientOrigin.y() + label.top / twipsPerPixel);
    bounds.right = roundHalfToEven(bounds.left + label.width / twipsPerPixel);
    bounds.bottom = roundHalfToEven(bounds.top + label.height / twipsPerPixel);
    return bounds;
}

bool isInside(const ScreenBounds &bounds, const QPoint &pointer)
{
    return pointer.x() >= bounds.left && pointer.x() <= bounds.right && pointer.y() >= bounds.top
        && pointer.y() <= bounds.bottom;
}
