#pragma once

#include "store/Query.h"
#include "store/TableView.h"

namespace tiravo::crash {

// The pool and the winners list of the number screen, open, as a draw of that
// screen reads them.
struct NumberViews {
    explicit NumberViews(Connection& connection)
        : pool(connection, {.table = QStringLiteral("TbNumero"),
                            .filter = QStringLiteral("Ok = True"),
                            .sortKey = QStringLiteral("Ordem")}),
          winners(connection, {QStringLiteral("Select *"), QStringLiteral("From TbNumero"),
                               QStringLiteral("Where Ativo=True and Ok=False"),
                               QStringLiteral("Order by Sorte Desc")}) {
        pool.open();
        winners.open();
    }

    TableView pool;
    Query winners;
};

} // namespace tiravo::crash
