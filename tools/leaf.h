// Quillet — the program's maple leaf, as its picture and its icon draw it.
#pragma once

#include <QPainter>
#include <QPainterPath>
#include <cmath>

// A stylised eleven-point leaf, drawn as a star whose points alternate in length (`size`
// the longest point's reach from `centre`), with its stem below, in `colour`.
inline void drawLeaf(QPainter& painter, QPointF centre, double size, const QColor& colour) {
  QPainterPath leaf;
  for (int i = 0; i <= 22; ++i) {
    const double angle = -M_PI / 2 + i * M_PI / 11;
    const double radius = size * (i % 2 == 0 ? (i % 4 == 0 ? 1.0 : 36.0 / 46) : 18.0 / 46);
    const QPointF point = centre + QPointF(std::cos(angle) * radius, std::sin(angle) * radius);
    if (i == 0)
      leaf.moveTo(point);
    else
      leaf.lineTo(point);
  }
  painter.fillPath(leaf, colour);
  // The stem, as wide as 6/46 of the leaf and reaching 50/46 of it below the centre.
  const double unit = size / 46;
  painter.fillRect(QRectF(centre.x() - 3 * unit, centre.y() + 12 * unit, 6 * unit, 38 * unit),
                   colour);
}
