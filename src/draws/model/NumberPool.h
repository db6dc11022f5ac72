#pragma once

namespace tiravo {

class Query;

// The number screen's "Limpar Lista": its one statement `clear` over every
// row of the number pool, with its record row, in one transaction.
void ClearNumberPool(Query& clear);

} // namespace tiravo
