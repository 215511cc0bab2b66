#pragma once

#include "model/TSXYear.h"

#include <QString>

// The yearly editor's six fields as text, and the values they stand for.
struct YearEditorTexts {
    QString year;
    QString label;
    QString tsxReturn;
    QString netCashFlows;
    QString actualStart;
    QString actualEnd;
};

// What the editor shows for stored values: the label or empty, the year in digits, each
// amount in its shortest exact decimal form; 0 shows as an empty field (the placeholder).
YearEditorTexts editorTexts(const TSXYear::Values& values);

// `current` with the six attributes read back from `texts` (unreadable numbers are 0, an
// empty label is none, any other label is kept exactly as typed) and an id when it had none;
// sortOrder is kept.
TSXYear::Values editedValues(const TSXYear::Values& current, const YearEditorTexts& texts);
