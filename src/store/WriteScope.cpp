#include "store/WriteScope.h"

#include "common/Error.h"
#include "store/ChangedElsewhere.h"
#include "store/Connection.h"
#include "store/Dataset.h"

#include <exception>

namespace tiravo {

namespace {

const QString kSavepoint = QStringLiteral("tiravo_change");

// The engine may have rolled the transaction back on its own already (a
// full disk), and a rollback that fails leaves nothing more to undo.
void RollBackTransaction(Connection& connection) noexcept {
    try {
        if (connection.inTransaction())
            connection.execute(QStringLiteral("ROLLBACK"));
    } catch (...) {
    }
}

} // namespace

WriteScope::WriteScope(Connection& connection, Keeps keeps, std::initializer_list<Dataset*> showing,
                       ChangeRecord* record)
    : connection_(connection), enclosing_(connection.openScope_), keeps_(keeps),
      level_(enclosing_ ? Level::Nested : Level::Outermost), views_(showing), record_(record),
      unwinding_(std::uncaught_exceptions()) {
    if (level_ == Level::Outermost) {
        connection_.execute(QStringLiteral("BEGIN IMMEDIATE"));
        // Nobody else can commit now until the change is stored.
        try {
            ReadAgainIfChangedElsewhere(views_);
        } catch (...) {
            RollBackTransaction(connection_);
            throw;
        }
    } else if (keeps_ == Keeps::AllOrNothing) {
        connection_.execute(QStringLiteral("SAVEPOINT %1").arg(kSavepoint));
    }
    connection_.openScope_ = this;
}

WriteScope::~WriteScope() noexcept(false) {
    if (done_)
        return;
    const bool unwinding = std::uncaught_exceptions() > unwinding_;
    if (keeps_ == Keeps::AllOrNothing) {
        undo(unwinding);
        return;
    }
    try {
        commit();
    } catch (...) {
        // When an error is in flight, it is the one the operator sees.
        if (!unwinding)
            throw;
    }
}

bool WriteScope::recorded() const {
    for (const WriteScope* scope = this; scope; scope = scope->enclosing_)
        if (scope->record_)
            return true;
    return false;
}

bool WriteScope::RecordedChangeOpen(const Connection& connection) {
    return connection.openScope_ && connection.openScope_->recorded();
}

bool WriteScope::lost() const {
    return connection_.isOpen() && !connection_.inTransaction();
}

void WriteScope::commit() {
    if (done_)
        return;
    if (lost()) {
        undo(true);
        // The scope it joined learns it too, and says so.
        if (level_ == Level::Nested && keeps_ == Keeps::WhatWasWritten)
            return;
        // Only a loop that swallowed the error that cost the transaction
        // gets here; the operator must still learn that its rows are not
        // stored.
        throw Error(QStringLiteral("The changes were not stored: the database gave up the "
                                   "transaction after an error"));
    }
    try {
        if (record_)
            record_->append();
        if (level_ == Level::Outermost)
            connection_.execute(QStringLiteral("COMMIT"));
        else if (keeps_ == Keeps::AllOrNothing)
            connection_.execute(QStringLiteral("RELEASE %1").arg(kSavepoint));
    } catch (...) {
        // No change stands without its record row.
        undo(true);
        throw;
    }
    done_ = true;
    leave();
}

void WriteScope::rollback() noexcept {
    undo(false);
}

void WriteScope::undo(bool readAgain) noexcept {
    if (done_)
        return;
    done_ = true;
    leave();
    if (level_ == Level::Nested && keeps_ == Keeps::AllOrNothing) {
        try {
            if (!lost()) {
                connection_.execute(QStringLiteral("ROLLBACK TO %1").arg(kSavepoint));
                connection_.execute(QStringLiteral("RELEASE %1").arg(kSavepoint));
            }
        } catch (...) {
        }
    } else {
        RollBackTransaction(connection_);
    }
    if (readAgain)
        readViewsAgain();
}

void WriteScope::readViewsAgain() noexcept {
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

void WriteScope::leave() noexcept {
    // The changes still open inside this one end with it: once it is
    // stored or undone, they have nothing left of their own to store or
    // undo (a draw given up while its winner's write is open).
    for (WriteScope* inner = connection_.openScope_; inner && inner != this;
         inner = inner->enclosing_)
        inner->forget();
    connection_.openScope_ = enclosing_;
}

void WriteScope::forget() noexcept {
    done_ = true;
}

} // namespace tiravo
