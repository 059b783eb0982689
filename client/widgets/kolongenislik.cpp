#include "widgets/kolongenislik.h"

QList<int> AgirlikliGenislikler(const QList<int> &weights, int gridWidth)
{
  int sum = 0;
  for (int w : weights)
    sum += qMax(0, w);
  if (sum <= 0 || gridWidth <= 30)
    return {};
  const int unit = (gridWidth - 30) / sum;
  QList<int> widths;
  widths.reserve(weights.size());
  for (int w : weights)
    widths.append(qMax(0, w) * unit);
  return widths;
}

bool AgirlikliKullan(int width)
{
  return width > kGenisEkranSiniri;
}
