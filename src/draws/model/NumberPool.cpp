#include "draws/model/NumberPool.h"

#include "draws/model/DrawRecord.h"
#include "store/Query.h"

namespace tiravo {

void ClearNumberPool(Query& clear) {
    const RecordedBulk record(clear.connection(), QStringLiteral("TbNumero"), RecordAction::Clear);
    clear.execSql();
}

} // namespace tiravo
