#pragma once

#include "model/Result.h"

#include <QDate>
#include <QString>

class ObjectContext;

// Sample entries and matching sample years, for trying the application on an empty store.
// Every sample entry's note starts with "Sample data" and every sample year is labelled
// "Sample data", so that they read as such wherever they are shown and can be told apart from
// the user's own rows. Main thread of `context` only.
namespace SampleData {

inline const QString marker = QStringLiteral("Sample data");

// Adds the samples (monthly entries over the three calendar years before `today` and this
// year up to its month, and those three years) in one save and one undo step. Returns how
// many entries were added.
Result<int> load(ObjectContext& context, QDate today = QDate::currentDate());

// Deletes every sample entry and sample year in one save and one undo step; the user's own
// rows stay. Returns how many entries were deleted.
Result<int> remove(ObjectContext& context);

// Whether any sample entry is stored.
bool present(ObjectContext& context);

} // namespace SampleData
