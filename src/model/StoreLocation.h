#pragma once

#include <QString>

// Where a container's connections go: a file, or a private in-memory database that several
// connections of this process share (so that background contexts see the same store).
struct StoreLocation {
    QString connectionName; // what SQLite opens: the file path or a memdb URI
    bool inMemory = false;
    // Not empty: the store can only be read, as it is, for this reason ("the disk is full").
    QString readOnlyBecause = {};

    static StoreLocation file(const QString& path) { return {path, false}; }
    static StoreLocation freshMemory();
};
