// Interpolation and vector length helpers.
#include "base/math_helpers.h"

#include <cmath>

float linearInterpolate(float a, float b, float t) {
    return (1.0f - t) * a + b * t;
}

float cosineInterpolate(float a, float b, float t) {
    const float f = static_cast<float>((1.0 - std::cos(static_cast<double>(t) * kPi)) * 0.5);
    return (1.0f - f) * a + b * f;
}

void clampLength(float& x, float& y, float& z, float maxLength) {
    const float length = std::sqrt(x * x + y * y + z * z);
    if (std::isinf(length)) {
        // A huge finite vector overflows the float square: scaled in double, it is capped instead
        // of zeroed.
        const double wide =
            std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y + static_cast<double>(z) * z);
        if (wide > maxLength) {
            const double scale = maxLength / wide;
            x = static_cast<float>(x * scale);
            y = static_cast<float>(y * scale);
            z = static_cast<float>(z * scale);
        }
    } else if (length > maxLength) {
        const float scale = maxLength / length;
        x *= scale;
        y *= scale;
        z *= scale;
    }
}
