#pragma once

#include <QStringView>

#include <algorithm>

namespace tiravo {

// The order in which a view sorted by a text column gives its rows: that of
// QString::compare, inlined, since sort keys are short and the call into the
// library costs more than comparing four characters. The locate index
// searches the rows in this same order.
inline int CompareUnits(QStringView a, QStringView b) {
    const char16_t* x = a.utf16();
    const char16_t* y = b.utf16();
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i)
        if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

} // namespace tiravo
