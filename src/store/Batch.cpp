#include "store/Batch.h"

#include "store/Connection.h"

#include <exception>

namespace tiravo {

Batch::Batch(Connection& connection)
    : connection_(connection), unwinding_(std::uncaught_exceptions()) {
    // IMMEDIATE takes the write lock now, waiting for another process if need
    // be, rather than failing half way through the loop.
    if (connection_.batchDepth() == 0)
        connection_.execute(QStringLiteral("BEGIN IMMEDIATE"));
    ++connection_.batchDepth();
}

Batch::~Batch() noexcept(false) {
    if (--connection_.batchDepth() > 0 || !connection_.isOpen())
        return;
    if (std::uncaught_exceptions() > unwinding_) {
        try {
            connection_.execute(QStringLiteral("COMMIT"));
        } catch (...) {
            // The error in flight is the one the operator sees.
            try {
                connection_.execute(QStringLiteral("ROLLBACK"));
            } catch (...) {
            }
        }
        return;
    }
    try {
        connection_.execute(QStringLiteral("COMMIT"));
    } catch (...) {
        try {
            connection_.execute(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
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
