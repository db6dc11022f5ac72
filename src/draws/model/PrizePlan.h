#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tiravo {

class Connection;
struct PoolDescription;

// A pool's prize plan: its prizes in the order they are drawn. The places a
// prize covers follow from the order and the quantities: the first prize of
// quantity 3 covers places 1 to 3, the next one begins at 4.
struct PlannedPrize;

struct Prize {
    std::int64_t cod = 0; // its row in the prize table
    QString description;
    int quantity = 1;
    int firstPlace = 1;
    int lastPlace = 1;
};

inline constexpr int kPrizeDescriptionWidth = 60;
inline constexpr int kMostOfOnePrize = 9999;

struct PrizePlan {
    std::vector<Prize> prizes;

    bool empty() const { return prizes.empty(); }
    // The places the plan covers, 1 to places().
    std::int64_t places() const;
    // The prize a winner of `place` gets; none beyond the plan.
    const Prize* prizeOfPlace(std::int64_t place) const;
};

// A place as the screens and the minutes write it: "3º".
QString PlaceText(std::int64_t place);
// "1º" or "1º a 3º".
QString PlacesText(const Prize& prize);
// What a stage shows while `place` is drawn: "3º prêmio — Bicicleta".
QString PlaceAndPrizeText(std::int64_t place, const Prize& prize);

// The plan as the file holds it now.
PrizePlan ReadPrizePlan(Connection& connection, const PoolDescription& pool);

// The changes of a plan. Each takes the write lock, reads the plan again from
// the file (another copy of the program may have changed it), changes it and
// appends a record row, all in one transaction. Bad input, or a prize that is
// no longer in the plan, throws Error with a message for the operator and
// changes nothing.
void AddPrize(Connection& connection, const PoolDescription& pool, const QString& description,
              int quantity);
void ChangePrize(Connection& connection, const PoolDescription& pool, std::int64_t cod,
                 const QString& description, int quantity);
void RemovePrize(Connection& connection, const PoolDescription& pool, std::int64_t cod);
// One place up (towards the first prize, `offset` -1) or down (+1). A prize
// already at that end stays where it is, and nothing is recorded.
void MovePrize(Connection& connection, const PoolDescription& pool, std::int64_t cod, int offset);
// The whole plan replaced by `prizes` in order (a prize list imported from a
// spreadsheet): one change, with one record row that counts what was
// removed and what came in. Every prize is checked before anything changes.
void ReplacePrizePlan(Connection& connection, const PoolDescription& pool,
                      const std::vector<PlannedPrize>& prizes);

} // namespace tiravo
