#pragma once

#include <QString>

class ObjectContext;

// First-run import of the data set shipped with the application: balance entries from
// "corvanta_seed.json" and yearly comparison rows from "tsx_seed.json". Runs on the main
// context during start-up, before the undo manager is installed, so nothing it inserts is
// undoable. Never throws and never stops start-up: problems go to the log category
// "corvanta.seed", one plain line each.
namespace SeedImporter {

// The folder the two seed files are read from. The application reads the copies compiled
// into its resources; tests point it at a folder of their own.
struct SeedSource {
    QString directory = QStringLiteral(":/seed");
};

// Imports both files once per installation: only while the settings flag
// "didSeedInitialData_v1" is unset, and only into a store without balance entries. Sets the
// flag whenever it gets past that test, whatever the outcome of the import.
void seedIfNeeded(ObjectContext& context, const SeedSource& source = {});

} // namespace SeedImporter
