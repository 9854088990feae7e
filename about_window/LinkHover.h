#pragma once

class QPoint;

// A label's place and size in twips, relative to its window's client area.
struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;
};

// A rectangle in screen pixels whose right and bottom edges still belong to
// it: the pointer on them counts as inside.
struct ScreenBounds
{
    int left;
    int top;
    int right;
    int bottom;
};

// Nearest whole number; a half goes to the even neighbour.
int roundHalfToEven(double value);

// Where the hover poll looks for the pointer: the label's rectangle on the
// screen, each edge rounded before the next is computed from it. One
// `twipsPerPixel` serves both directions.
ScreenBounds linkBoundsOnScreen(
    const QPoint &clientOrigin, double twipsPerPixel, const TwipsRect &label);

bool isInside(const ScreenBounds &bounds, const QPoint &pointer);
