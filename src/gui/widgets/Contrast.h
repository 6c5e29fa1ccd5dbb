#pragma once

#include <QColor>

namespace torvane {

// The least contrast of normal text with its background that low-vision readers can read.
inline constexpr double ReadableContrast = 4.5;

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white), from their
// relative luminance in sRGB.
double ContrastRatio(const QColor& first, const QColor& second);

// The wanted colour when it reads well enough on the background; otherwise the same hue made
// darker (on a light background) or lighter (on a dark one), by the least step that reaches the
// ratio.
QColor ReadableOn(const QColor& wanted, const QColor& background, double ratio = ReadableContrast);

} // namespace torvane
