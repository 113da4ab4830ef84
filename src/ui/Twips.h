#pragma once

#include <QWidget>
#include <cmath>

// Preferences and layout constants are in twips (1440 to the inch); widgets are in pixels.
namespace Twips {

inline double dpi(const QWidget* widget)
{
    return widget ? widget->logicalDpiX() : 96.0;
}

inline int toPixels(double twips, const QWidget* widget)
{
    return static_cast<int>(std::lround(twips * dpi(widget) / 1440.0));
}

inline double fromPixels(int pixels, const QWidget* widget)
{
    return pixels * 1440.0 / dpi(widget);
}

} // namespace Twips
