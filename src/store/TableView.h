#pragma once

#include "store/Dataset.h"
#include "store/FilterExpression.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace tiravo {

// A column a view declares, optionally narrower than the table's.
struct FieldSpec {
    FieldSpec(const char* column) : name(QString::fromLatin1(column)) {}
    FieldSpec(const char* column, int textWidth)
        : name(QString::fromLatin1(column)), width(textWidth) {}
    QString name;
    int width = 0; // 0: the table's width
};

// What a window declares of one of its table views.
struct ViewSpec {
    QString table;
    std::vector<FieldSpec> columns; // empty: every column of the table
    QString filter;
    QString sortKey;
    QStringList required;                             // beyond the table's own
    std::vector<std::pair<QString, QString>> formats; // column, display format
};

// A view of one table: every row of it in memory, of which those that pass
// the filter show, in ascending order of the sort key.
class TableView : public Dataset {
    Q_OBJECT
public:
    TableView(Connection& connection, ViewSpec spec);

    const QString& filter() const { return spec_.filter; }
    // Applies at once on an open view; the cursor goes to the first row.
    void setFilter(const QString& text);
    const QString& sortKey() const { return spec_.sortKey; }
    // Orders an open view anew; the cursor goes to the first row.
    void setSortKey(const QString& column);

protected:
    FlatRows load() override;
    bool passes(std::size_t row) const override;
    void order(std::deque<std::size_t>& shown) const override;
    QString tableName() const override { return spec_.table; }
    std::optional<std::size_t> sortedColumn() const override;
    bool filterReads(std::size_t column) const override;

private:
    void declareColumns();

    ViewSpec spec_;
    FilterExpression filter_;
    int sortColumn_ = -1;
};

} // namespace tiravo
