// Window geometry is thought in twips, as the window's layout table gives it; Qt places widgets in
// device-independent pixels. One pixel is 15 twips (1440 twips to the inch at 96 pixels to the inch).
#pragma once

#include <QRect>
#include <QtMath>

#include <limits>

namespace vorelian {

inline constexpr int kTwipsPerPixel = 15;

// Twips to whole pixels, rounded to the nearest; held within the range of an int (not a number is 0).
inline int Px(double twips) {
    const double px = twips / kTwipsPerPixel;
    if (!(px == px))
        return 0;
    return qRound(
        qBound(double(std::numeric_limits<int>::min()), px, double(std::numeric_limits<int>::max())));
}
inline double Twips(int pixels) {
    return double(pixels) * kTwipsPerPixel;
}

// A rectangle given as left, top, width and height in twips.
inline QRect PxRect(double left, double top, double width, double height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

} // namespace vorelian
