#pragma once

#include "store/Column.h"
#include "store/Value.h"

#include <QString>

#include <vector>

namespace tiravo {

// A view's filter: one comparison of a column with a literal, such as
// "Ok = True" or "Foto > ''", or the empty text, which lets every row pass.
// A comparison with null never passes.
class FilterExpression {
public:
    FilterExpression() = default; // lets every row pass

    // Throws Error for a text that is not such a comparison, or that names a
    // column the view does not declare.
    static FilterExpression Parse(const QString& text, const std::vector<Column>& columns);

    // Throws Error when the row holds, in the filter's column, a value of
    // another kind than the filter's literal (a text where a number belongs).
    bool passes(const std::vector<Value>& row) const {
        return column_ < 0 || passesValue(row[static_cast<std::size_t>(column_)]);
    }
    // The same for the value a row holds in column().
    bool passesValue(const Value& value) const;
    // The column compared, -1 when every row passes.
    int column() const { return column_; }

private:
    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

    int column_ = -1; // -1: every row passes
    Op op_ = Op::Equal;
    Value literal_;
    QString text_;        // as written, for the messages
    QString name_;        // the column's name as the view declares it
    QString literalText_; // the literal as written
};

// Orders two values of one column: null first, texts ignoring letter case
// before telling cases apart.
int CompareValues(const Value& a, const Value& b);

} // namespace tiravo
