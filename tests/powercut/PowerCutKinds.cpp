#include "PowerCutKinds.h"

#include "store/Connection.h"
#include "store/Query.h"

namespace tiravo::powercut {

std::vector<PowerCutFactory> AllPowerCutKinds() {
    return {NumberRangeCut, DrawCut, NameImportCut};
}

qint64 CountOf(Connection& connection, const QString& sql) {
    Query query(connection, {sql});
    query.open();
    return query.field(std::size_t{0}).asInteger();
}

} // namespace tiravo::powercut
