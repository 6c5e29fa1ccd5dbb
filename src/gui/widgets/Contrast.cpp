#include "gui/widgets/Contrast.h"

#include <algorithm>
#include <cmath>

namespace torvane {
namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

} // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableOn(const QColor& wanted, const QColor& background, double ratio) {
    if (ContrastRatio(wanted, background) >= ratio)
        return wanted;
    const bool darker =
        ContrastRatio(Qt::black, background) >= ContrastRatio(Qt::white, background);
    const QColor hsl = wanted.toHsl();
    const float hue = std::max(hsl.hslHueF(), 0.0F); // an achromatic colour has hue -1
    const float saturation = hsl.hslSaturationF();
    // The lightness that reads: bisect between the wanted one and black or white, keeping the
    // bound that is known to read.
    float near = hsl.lightnessF();
    float far = darker ? 0.0F : 1.0F;
    for (int step = 0; step < 24; ++step) {
        const float middle = (near + far) / 2;
        if (ContrastRatio(QColor::fromHslF(hue, saturation, middle), background) >= ratio)
            far = middle;
        else
            near = middle;
    }
    QColor readable = QColor::fromHslF(hue, saturation, far).toRgb();
    // Rounding to 8-bit channels may lose the last bit of contrast; a background on which even
    // black or white does not reach the ratio gets the one of them that comes nearest.
    const int nudge = darker ? -1 : 1;
    const auto channel = [nudge](int value) { return std::clamp(value + nudge, 0, 255); };
    for (int step = 0; step < 256 && ContrastRatio(readable, background) < ratio; ++step)
        readable.setRgb(channel(readable.red()), channel(readable.green()),
                        channel(readable.blue()));
    return readable;
}

} // namespace torvane
