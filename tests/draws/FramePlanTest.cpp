// What the coming frames will show, read ahead without moving the cursor,
// must be what the frame steps then really show.
#include "draws/model/FramePlan.h"
#include "PoolRows.h"
#include "draws/model/Stepping.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

TEST(ComingEntries, MatchTheFrameStepWalkFromEveryPlaceAndFromTheEnd) {
    for (int rows = 0; rows <= 4; ++rows) {
        test::TempDatabase db;
        for (int n = 1; n <= rows; ++n)
            test::AddNumbers(db, {{n, "aaaa"}});
        TableView pool(db.connection(), test::NumberPool());
        pool.open();
        for (int start = 0; start <= rows; ++start) {
            // Each place in turn, and the last row with the end flag set.
            pool.first();
            for (int i = 0; i < start; ++i)
                pool.next();
            SCOPED_TRACE(testing::Message() << rows << " rows, start " << start);
            const int place = pool.recNo();
            const bool atEnd = pool.eof();

            const QStringList coming = ComingEntries(pool, QStringLiteral("Numero"), 13);
            EXPECT_EQ(pool.recNo(), place);
            EXPECT_EQ(pool.eof(), atEnd);
            QStringList walked;
            for (int frame = 0; frame < 13 && rows > 0; ++frame) {
                walked << pool.field(QStringLiteral("Numero")).asString();
                FrameStep(pool);
            }
            EXPECT_EQ(coming, walked);
        }
    }
}

} // namespace
} // namespace tiravo
