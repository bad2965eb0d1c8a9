#pragma once
#include <QPoint>
#include <QRect>
#include <cmath>

// Dialog units of the form's layout on a 96 dpi screen: 1.5 px across,
// 1.625 px down.
inline int DluX(int units) { return int(std::lround(units * 1.5)); }
inline int DluY(int units) { return int(std::lround(units * 1.625)); }
inline QPoint DluPoint(int left, int top) { return {DluX(left), DluY(top)}; }
inline QRect DluRect(int left, int top, int width, int height) {
    return {DluX(left), DluY(top), DluX(width), DluY(height)};
}
