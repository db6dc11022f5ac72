#pragma once

#include <QtGlobal>

namespace tiravo {

// The size of a benchmark's tables: TIRAVO_BENCH_ROWS when it is set to a
// positive number, else the benchmark's own size.
inline int BenchRows(int otherwise) {
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue("TIRAVO_BENCH_ROWS", &ok);
    return ok && asked > 0 ? asked : otherwise;
}

} // namespace tiravo
