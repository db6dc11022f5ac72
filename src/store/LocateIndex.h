#pragma once

#include <QString>

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace tiravo {

struct LocateOptions;

// Answers a Locate without reading every row of the view. An import that
// tests every line of a file against a pool of many names would otherwise
// take time in proportion to their product.
//
// The first Locate over a column after the rows were read, filtered or
// ordered walks the shown rows: one answer costs less that way than keys
// made for every row. Only a second one makes the keys.
//
// While the shown rows stand as a sort by the located text column left them,
// a whole value or a beginning is found by halving the shown rows down to
// those the text order puts where a match can be. Once a row
// is inserted or written, the rows of each column asked about are kept by
// their text, folded to one letter case, and searched there.
//
// Rows are known by their index in the snapshot. The view tells the index of
// every change it makes (a place opened or closed in the shown order, a row
// written); the index keeps nothing it cannot mend from those. Where a found
// row stands in the shown order is worked out only for the rows found: the
// places read at the last full pass, moved by the openings and closings
// since, which are few because a full pass is made again after a few hundred.
class LocateIndex {
public:
    // The text of one cell as Locate compares it; nothing for null, which
    // no Locate finds.
    using CellText = std::function<std::optional<QString>(std::size_t row, std::size_t column)>;

    explicit LocateIndex(CellText cellText);
    ~LocateIndex();
    LocateIndex(const LocateIndex&) = delete;
    LocateIndex& operator=(const LocateIndex&) = delete;

    // The shown rows were read, filtered or ordered anew: forget everything.
    // `sortedBy` is the text column they are now in the order of, if any:
    // nulls first, then the texts in the program's text order (TextOrder.h).
    void reset(std::optional<std::size_t> sortedBy = std::nullopt);
    // A row now stands at `place`; those from there on moved down by one.
    void inserted(std::size_t place, std::size_t row);
    // The row at `place` left the shown rows; those after it moved up by one.
    void erased(std::size_t place, std::size_t row);
    // A shown row was written; its texts may have changed.
    void written(std::size_t row);

    // The place, in `shown`, of the first row whose cell in `column` matches
    // `value` as Locate's options say; nothing when no row does.
    std::optional<std::size_t> find(const std::deque<std::size_t>& shown, std::size_t column,
                                    const QString& value, LocateOptions options);

private:
    struct Entry {
        std::size_t row;
        QString text;
    };
    using Keys = std::multimap<QString, Entry>;
    struct ColumnKeys {
        Keys keys;
        std::vector<std::optional<Keys::iterator>> byRow;
    };
    struct Place {
        std::size_t place = 0;
        std::size_t shiftsApplied = 0;
    };
    struct Shift {
        std::size_t place;
        bool opened;
    };

    std::optional<std::size_t> walk(const std::deque<std::size_t>& shown, std::size_t column,
                                    const QString& value, LocateOptions options) const;
    std::optional<std::size_t> findInOrder(const std::deque<std::size_t>& shown, std::size_t column,
                                           const QString& value, LocateOptions options) const;
    ColumnKeys& keysOf(const std::deque<std::size_t>& shown, std::size_t column);
    void add(ColumnKeys& column, std::size_t row, std::size_t index, bool atEnd);
    static void remove(ColumnKeys& column, std::size_t row);
    void shifted(Shift shift);
    void readPlaces(const std::deque<std::size_t>& shown);
    std::size_t placeOf(const std::deque<std::size_t>& shown, std::size_t row);

    CellText cellText_;
    std::optional<std::size_t> sortedBy_;
    std::map<std::size_t, ColumnKeys> columns_;
    std::vector<std::size_t> walked_; // columns walked once since the reset
    bool placesRead_ = false;
    std::vector<Place> places_; // by row
    std::vector<Shift> shifts_; // since the places were read
};

} // namespace tiravo
