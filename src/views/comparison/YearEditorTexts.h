#pragma once

#include "model/TSXYear.h"

#include <QString>

#include <optional>

// The yearly editor's six fields as text, and the values they stand for.
struct YearEditorTexts {
    QString year;
    QString label;
    QString tsxReturn;
    QString netCashFlows;
    QString actualStart;
    QString actualEnd;
};

// What the texts say: the values to write when every number reads, and for each amount the
// reason it cannot be read (empty when it can).
struct YearEditorReading {
    std::optional<TSXYear::Values> values;
    QString tsxReturn;
    QString netCashFlows;
    QString actualStart;
    QString actualEnd;
};

// What the editor shows for stored values: the label or empty, the year in digits, each
// amount in its shortest exact decimal form; 0 shows as an empty field (the placeholder).
YearEditorTexts editorTexts(const TSXYear::Values& values);

// `current` with the six attributes read back from `texts`: amounts through TypedInput (empty
// is 0; the return is a fraction, "21.5%" or "0.215"), the year as signed digits (anything
// else is 0), an empty label as none and any other label kept exactly as typed; an id when it
// had none; sortOrder kept.
YearEditorReading readTexts(const TSXYear::Values& current, const YearEditorTexts& texts);
