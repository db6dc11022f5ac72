#include "draws/model/Stepping.h"

#include "store/Dataset.h"

namespace tiravo {

void SkipStep(Dataset& pool) {
    pool.next();
    if (pool.eof())
        pool.first();
}

void SkipSteps(Dataset& pool, int count) {
    for (int i = 0; i < count; ++i)
        SkipStep(pool);
}

void FrameStep(Dataset& pool) {
    if (pool.eof())
        pool.first();
    else
        pool.next();
}

} // namespace tiravo
