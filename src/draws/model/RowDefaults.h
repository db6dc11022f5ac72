#pragma once

namespace tiravo {

class Dataset;
class Random;

// What the pools' rules write into a row that an operator begins or stores by
// hand, through the hooks of the editors' and screens' views; what the
// operator types comes on top.

// A number begun in the number editor: available once stored, with an order
// key of its own.
void SetNewNumberDefaults(Dataset& row, Random& random);

// A name begun in the name screen's pool view: available once stored.
void SetNewNameDefaults(Dataset& row);

// A row of the name editor's free-slot view about to be stored: available
// when it holds a name, and either way given an order key built after fresh
// entropy.
void SetFilledSlotDefaults(Dataset& slot, Random& random);

} // namespace tiravo
