#pragma once

#include "store/TableView.h"
#include "store/Value.h"

#include <QString>

#include <initializer_list>
#include <utility>

namespace tiravo {

class Connection;

// Whether a text is stored whole in a column, rather than cut to its width.
bool FitsColumn(const QString& table, const QString& column, const QString& text);

// Appends rows to one table through a view of it. A text longer than its
// column is refused: the store would cut it silently, and a cut path or name
// is worse than none.
class RowWriter {
public:
    RowWriter(Connection& connection, const QString& table);

    void add(std::initializer_list<std::pair<const char*, Value>> values);

private:
    TableView view_;
};

} // namespace tiravo
