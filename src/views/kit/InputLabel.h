#pragma once

#include <QString>

class QFormLayout;
class QLabel;
class QLayout;
class QWidget;

// Ties a caption to its input: the caption's mnemonic (the letter after '&') focuses the
// input, and assistive technology reads the caption as the input's name and `description` as
// its description.
void labelInput(QLabel* caption, QWidget* input, const QString& description);

// A row of `form` whose caption is tied to `input` as above; `field` is what the row shows
// right of the caption (the input itself, or a layout holding it); returns the caption.
QLabel* addLabelledRow(QFormLayout* form, const QString& caption, QWidget* input, const QString& description,
                       QLayout* field = nullptr);
