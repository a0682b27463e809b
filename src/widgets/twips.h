#pragma once
// Window sizes and positions are kept in twips (1/1440 inch); the screen works in logical pixels,
// of which 15 twips make one (96 dpi; Qt scales logical pixels for high-DPI screens).
//
// A stored twips value rarely is a whole number of pixels, so converting it to pixels and back
// can move it by a few twips. keepTwips() gives the stored value back when the pixels did not
// change, so a window that nobody moved keeps its stored place and size exactly.

#include <QtGlobal>

namespace tess {

inline constexpr int kTwipsPerPixel = 15;

// The nearest whole pixel (halves away from zero).
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

// The least whole number of pixels that covers the twips: for minimum sizes, so a window at its
// smallest is never below the minimum once stored back in twips.
constexpr int twipsToPixelsAtLeast(int twips)
{
    return twips >= 0 ? (twips + kTwipsPerPixel - 1) / kTwipsPerPixel : -(-twips / kTwipsPerPixel);
}

constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

// The twips value to store for a control now `pixels` long whose stored value was `storedTwips`:
// the stored value itself while it still gives the same pixels, else the pixels in twips.
constexpr int keepTwips(int storedTwips, int pixels)
{
    return twipsToPixels(storedTwips) == pixels ? storedTwips : pixelsToTwips(pixels);
}

} // namespace tess
