#pragma once

#include <QColor>

// 15 twips make one pixel at 96 dpi.
constexpr int twips(int t) {
    return (t + 7) / 15;
}

// Colours written as blue-green-red numbers, 12648447 being pale yellow.
inline QColor couleurBgr(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

constexpr int CouleurBlanc = 16777215;
constexpr int CouleurJaunePale = 12648447;
constexpr int CouleurOrange = 33023;
