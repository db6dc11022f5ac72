#pragma once

#include <cstdint>

namespace tiravo {

class Connection;
class Dataset;
class Random;

// How many of the whole numbers from `first` to `last` the pool holds already
// as available entries, each number counted once however often it is there.
std::int64_t AvailableNumbersBetween(Connection& connection, int first, int last);

// Adds one available number for every whole number from `first` to `last`,
// both included, each with a key built from fresh entropy, in ascending order.
// A number whose row the store refuses is skipped without a word and the rest
// go on. A store that refuses to begin rows at all ends the loop at once with
// its error, instead of refusing the same number for ever, and so does an
// error that cost the whole transaction (a full disk): the view is then read
// again, without the rows that were lost. Returns how many rows were added.
int InsertNumberRange(Dataset& view, int first, int last, Random& random);

} // namespace tiravo
