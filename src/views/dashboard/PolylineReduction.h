#pragma once

#include <QList>
#include <QPointF>

// Reduces a polyline (x ascending) for drawing across `columns` device columns: per column, its
// first, lowest, highest and last point, in their original order. The drawn line looks the
// same (every column keeps its vertical extent and its joins to the neighbours), while the
// painter strokes at most four points per column instead of thousands. Lines with no more than
// four points per column come back unchanged.
QList<QPointF> reducedForColumns(const QList<QPointF>& line, int columns);

// Thins a polyline (x ascending) to its first point and the last point of each of `columns`
// columns. For a dashed stroke, whose 7-pixel dash period hides anything finer, and which Qt
// dashes segment by segment, this keeps the look and spares the dasher thousands of tiny dashes.
QList<QPointF> thinnedForColumns(const QList<QPointF>& line, int columns);
