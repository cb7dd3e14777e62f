#pragma once
// Colours as the forms store them: a Windows colour value holds blue in its
// high byte and red in its low byte (B << 16 | G << 8 | R).
#include <QColor>

namespace chart {

QColor WindowsColor(quint32 value);

// The standard named colours of the forms, as Windows colour values.
namespace wincolor {
constexpr quint32 Black = 0x000000;
constexpr quint32 Maroon = 0x000080;
constexpr quint32 Green = 0x008000;
constexpr quint32 Olive = 0x008080;
constexpr quint32 Navy = 0x800000;
constexpr quint32 Purple = 0x800080;
constexpr quint32 Teal = 0x808000;
constexpr quint32 Gray = 0x808080;
constexpr quint32 Silver = 0xC0C0C0;
constexpr quint32 Red = 0x0000FF;
constexpr quint32 Lime = 0x00FF00;
constexpr quint32 Yellow = 0x00FFFF;
constexpr quint32 Blue = 0xFF0000;
constexpr quint32 Fuchsia = 0xFF00FF;
constexpr quint32 Aqua = 0xFFFF00;
constexpr quint32 White = 0xFFFFFF;
} // namespace wincolor

} // namespace chart
