#pragma once

// A table column's widths in points: the least it may shrink to, and where it starts.
struct ColumnWidth {
    int minimum;
    int ideal;
};
