#pragma once

class QWidget;

// Whether the widget or one of its ancestors was hidden (a tab that is not the current one, a
// closed window): what it shows can wait for its next show. A widget never shown counts as
// shown, so that one read directly (as tests do) stays current.
bool isHiddenOnPurpose(const QWidget& widget);
