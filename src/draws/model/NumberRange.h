#pragma once

namespace tiravo {

class Dataset;
class Random;

// Adds one available number for every whole number from `first` to `last`,
// both included, each with a key built from fresh entropy, in ascending order.
// A number whose row the store refuses is skipped without a word and the rest
// go on. A store that refuses to begin rows at all ends the loop at once with
// its error, instead of refusing the same number for ever, and so does an
// error that cost the whole transaction (a full disk): the view is then read
// again, without the rows that were lost. Returns how many rows were added.
int InsertNumberRange(Dataset& view, int first, int last, Random& random);

} // namespace tiravo
