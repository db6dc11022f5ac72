#include "store/Batch.h"

#include "common/Error.h"
#include "store/ChangedElsewhere.h"
#include "store/Connection.h"
#include "store/Dataset.h"

#include <exception>

namespace tiravo {

Batch::Batch(Connection& connection, std::initializer_list<Dataset*> showingRows)
    : connection_(connection), views_(showingRows), unwinding_(std::uncaught_exceptions()) {
    // IMMEDIATE takes the write lock now, waiting for another process if need
    // be, rather than failing half way through the loop.
    if (connection_.batchDepth() == 0) {
        connection_.execute(QStringLiteral("BEGIN IMMEDIATE"));
        owns_ = true;
        // Nobody else can commit now until the loop is done: views read
        // before another program's last commit are read again, so that the
        // loop walks the rows the file holds.
        try {
            ReadAgainIfChangedElsewhere(views_);
        } catch (...) {
            try {
                connection_.execute(QStringLiteral("ROLLBACK"));
            } catch (...) {
            }
            throw;
        }
    }
    ++connection_.batchDepth();
}

bool Batch::lost() const {
    return connection_.isOpen() && !connection_.inTransaction();
}

void Batch::rereadViews() noexcept {
    for (Dataset* view : views_) {
        try {
            view->cancel();
            view->close();
            view->open();
        } catch (...) {
            // A view that cannot be read again stays closed: empty, which is
            // still nothing the file does not hold.
        }
    }
}

Batch::~Batch() noexcept(false) {
    const bool unwinding = std::uncaught_exceptions() > unwinding_;
    if (--connection_.batchDepth() > 0 || !connection_.isOpen()) {
        if (lost())
            rereadViews();
        return;
    }
    if (!connection_.inTransaction()) {
        rereadViews();
        // Only a loop that swallowed the error that cost the transaction
        // gets here without one in flight; the operator must still learn
        // that its rows are not stored.
        if (!unwinding)
            throw Error(QStringLiteral("The changes were not stored: the database gave up "
                                       "the transaction after an error"));
        return;
    }
    try {
        connection_.execute(QStringLiteral("COMMIT"));
    } catch (...) {
        try {
            connection_.execute(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        rereadViews();
        // When an error is in flight, it is the one the operator sees.
        if (!unwinding)
            throw;
    }
}

Savepoint::Savepoint(Connection& connection) : connection_(connection) {
    connection_.execute(QStringLiteral("SAVEPOINT tiravo_row"));
}

Savepoint::~Savepoint() {
    if (done_ || !connection_.isOpen())
        return;
    try {
        connection_.execute(QStringLiteral("ROLLBACK TO tiravo_row"));
        connection_.execute(QStringLiteral("RELEASE tiravo_row"));
    } catch (...) {
    }
}

void Savepoint::release() {
    connection_.execute(QStringLiteral("RELEASE tiravo_row"));
    done_ = true;
}

} // namespace tiravo
