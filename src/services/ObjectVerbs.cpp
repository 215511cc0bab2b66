#include "services/ObjectVerbs.h"

namespace ObjectVerbs {
Error foreignObject() { return {QStringLiteral("The object belongs to another store."), {}}; }
Error deletedObject() { return {QStringLiteral("The object was deleted."), {}}; }

QString countedName(std::size_t count, const char* one, const char* many)
{
    return count == 1 ? QString::fromUtf8(one) : QString::fromUtf8(many).arg(count);
}
} // namespace ObjectVerbs
