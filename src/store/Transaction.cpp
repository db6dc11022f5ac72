#include "store/Transaction.h"

#include "store/Connection.h"

namespace tiravo {

Transaction::Transaction(Connection& connection)
    : connection_(connection), outermost_(connection.batchDepth() == 0) {
    // IMMEDIATE takes the write lock at once, waiting for another program if
    // need be, rather than failing half way through.
    connection_.execute(outermost_ ? QStringLiteral("BEGIN IMMEDIATE")
                                   : QStringLiteral("SAVEPOINT tiravo_whole"));
    ++connection_.batchDepth();
}

Transaction::~Transaction() {
    rollback();
}

void Transaction::commit() {
    if (done_)
        return;
    try {
        connection_.execute(outermost_ ? QStringLiteral("COMMIT")
                                       : QStringLiteral("RELEASE tiravo_whole"));
    } catch (...) {
        rollback();
        throw;
    }
    done_ = true;
    leave();
}

void Transaction::leave() noexcept {
    // A connection closed meanwhile has forgotten every batch already.
    if (connection_.batchDepth() > 0)
        --connection_.batchDepth();
}

void Transaction::rollback() noexcept {
    if (done_)
        return;
    done_ = true;
    leave();
    if (!connection_.isOpen())
        return;
    try {
        if (outermost_) {
            // The engine may have rolled back on its own already (a full disk).
            if (connection_.inTransaction())
                connection_.execute(QStringLiteral("ROLLBACK"));
        } else {
            connection_.execute(QStringLiteral("ROLLBACK TO tiravo_whole"));
            connection_.execute(QStringLiteral("RELEASE tiravo_whole"));
        }
    } catch (...) {
    }
}

} // namespace tiravo
