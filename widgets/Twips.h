#pragma once

// The product's geometry is given in twips; at 96 dots per inch one logical
// pixel is 15 twips.
inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel, halves away from zero.
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel)
                      : -((-2 * twips + kTwipsPerPixel) / (2 * kTwipsPerPixel));
}

constexpr int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}
