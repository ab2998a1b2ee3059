// The 3-D edges the owner-drawn controls share, in the colours of a widget's palette:
// Light = button highlight, Midlight = 3-D light, Dark = button shadow, Shadow = 3-D dark shadow.
#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QPalette;

namespace nv {

// One-pixel rectangle: `topLeft` along the top and left sides, `bottomRight` along the others.
void Draw3dRect(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight);
void DrawRaisedEdge(QPainter& p, const QRect& r, const QPalette& pal);
void DrawSunkenEdge(QPainter& p, const QRect& r, const QPalette& pal);

}  // namespace nv
