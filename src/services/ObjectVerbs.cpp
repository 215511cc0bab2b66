#include "services/ObjectVerbs.h"

namespace ObjectVerbs {
Error foreignObject() { return {QStringLiteral("The object belongs to another store."), {}}; }
Error deletedObject() { return {QStringLiteral("The object was deleted."), {}}; }
} // namespace ObjectVerbs
