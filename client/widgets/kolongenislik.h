#pragma once
// The weighted column widths of the list grids: above a screen width of
// 1152 pixels every visible column gets weight × trunc((grid width − 30) /
// sum of the visible weights); at 1152 or less the grid fits its columns to
// their content instead.

#include <QList>

inline constexpr int kGenisEkranSiniri = 1152;

// Widths for the visible columns' weights; empty when the weights sum to 0
// (nothing to divide) or the grid is too narrow.
QList<int> AgirlikliGenislikler(const QList<int> &weights, int gridWidth);
// Whether the weighted rule applies at this screen (or window) width.
bool AgirlikliKullan(int width);
