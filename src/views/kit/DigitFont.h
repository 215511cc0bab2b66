#pragma once

#include <QFont>

// The application font when its ten digits are equally wide (most desktop sans fonts), else
// the fixed-pitch system font at the same size, so that amounts line up digit under digit in
// tables and grids. Read from the application font at each call.
QFont equalWidthDigitFont();
