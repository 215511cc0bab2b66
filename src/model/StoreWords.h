#pragma once

#include <QCoreApplication>

// The store's failures reach people in alerts, the store-failure dialog and the command line,
// so their words are translated like every other text; one context keeps them together.
struct StoreWords {
    Q_DECLARE_TR_FUNCTIONS(Store)
};
