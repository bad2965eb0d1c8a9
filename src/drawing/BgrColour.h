// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>

#include <cstdint>

// The program keeps colours as 0x00BBGGRR (the byte above blue is ignored);
// Qt takes them as QColor.
inline QColor QColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

inline std::uint32_t BgrFromQColor(const QColor& colour) {
    return std::uint32_t(colour.red() & 0xFF) | (std::uint32_t(colour.green() & 0xFF) << 8) |
           (std::uint32_t(colour.blue() & 0xFF) << 16);
}
