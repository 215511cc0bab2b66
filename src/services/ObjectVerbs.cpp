#include "services/ObjectVerbs.h"

#include <QCoreApplication>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(ObjectVerbs)
};
} // namespace

namespace ObjectVerbs {
Error foreignObject() { return {Words::tr("The object belongs to another store."), {}}; }
Error deletedObject() { return {Words::tr("The object was deleted."), {}}; }
} // namespace ObjectVerbs
