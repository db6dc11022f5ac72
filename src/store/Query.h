#pragma once

#include "store/Dataset.h"

#include <QStringList>

namespace tiravo {

// A query: the snapshot of its SQL's result. Its rows can be edited when the
// SQL reads one table with its key; the change is written to that table's
// row by "Cod". A query does not test its condition again after a post.
class Query : public Dataset {
    Q_OBJECT
public:
    explicit Query(Connection& connection, QStringList sql = {});

    void setSql(QStringList lines);
    const QStringList& sql() const { return sql_; }

    // Runs the SQL again; the cursor stands on the first row.
    void requery();
    // Runs the SQL as a statement that returns no rows.
    void execSql();
    // The highest value of `column` among the rows the SQL yields from the
    // file as it is now; null when it yields none. The query's own rows stay
    // as they were read.
    Value highestInFile(const QString& column);

protected:
    FlatRows load() override;
    bool passes(std::size_t) const override { return true; }
    QString tableName() const override { return table_; }

private:
    QStringList sql_;
    QString table_;
};

} // namespace tiravo
