#include "store/LocateIndex.h"

#include "store/Dataset.h"
#include "store/TextOrder.h"

#include <algorithm>

namespace tiravo {

namespace {

// Past this many openings and closings a full pass over the shown rows costs
// less than moving each found row's place by all of them.
constexpr std::size_t kMaxShifts = 256;

QString Folded(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80 || (c >= u'A' && c <= u'Z'))
            return text.toCaseFolded();
    return text;
}

bool Matches(const QString& cell, const QString& wanted, LocateOptions options) {
    const Qt::CaseSensitivity cs =
        options.caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    // An empty beginning would match every row; it asks for the empty text.
    if (options.partialKey && !wanted.isEmpty())
        return cell.startsWith(wanted, cs);
    return cell.compare(wanted, cs) == 0;
}

} // namespace

LocateIndex::LocateIndex(CellText cellText) : cellText_(std::move(cellText)) {}

LocateIndex::~LocateIndex() = default;

void LocateIndex::reset(std::optional<std::size_t> sortedBy) {
    sortedBy_ = sortedBy;
    columns_.clear();
    walked_.clear();
    placesRead_ = false;
    places_.clear();
    shifts_.clear();
}

void LocateIndex::shifted(Shift shift) {
    if (!placesRead_)
        return;
    if (shifts_.size() >= kMaxShifts) {
        // Read afresh when next needed, not now: a loop that only inserts
        // never needs them.
        placesRead_ = false;
        shifts_.clear();
        return;
    }
    shifts_.push_back(shift);
}

void LocateIndex::inserted(std::size_t place, std::size_t row) {
    sortedBy_.reset();
    shifted({place, true});
    if (!placesRead_)
        return;
    if (row >= places_.size())
        places_.resize(row + 1);
    places_[row] = {place, shifts_.size()};
}

void LocateIndex::erased(std::size_t place, std::size_t row) {
    shifted({place, false});
    for (auto& [column, keys] : columns_)
        remove(keys, row);
}

void LocateIndex::written(std::size_t row) {
    sortedBy_.reset();
    for (auto& [column, keys] : columns_) {
        remove(keys, row);
        add(keys, row, column, false);
    }
}

void LocateIndex::add(ColumnKeys& column, std::size_t row, std::size_t index, bool atEnd) {
    std::optional<QString> text = cellText_(row, index);
    if (!text)
        return;
    if (row >= column.byRow.size())
        column.byRow.resize(row + 1);
    QString folded = Folded(*text);
    // A view sorted by this column hands its rows over in key order, and a
    // hint at the end then makes each insertion cost nothing to place.
    column.byRow[row] = atEnd
                            ? column.keys.emplace_hint(column.keys.end(), std::move(folded),
                                                       Entry{row, std::move(*text)})
                            : column.keys.emplace(std::move(folded), Entry{row, std::move(*text)});
}

void LocateIndex::remove(ColumnKeys& column, std::size_t row) {
    if (row >= column.byRow.size() || !column.byRow[row])
        return;
    column.keys.erase(*column.byRow[row]);
    column.byRow[row].reset();
}

LocateIndex::ColumnKeys& LocateIndex::keysOf(const std::deque<std::size_t>& shown,
                                             std::size_t column) {
    const auto known = columns_.find(column);
    if (known != columns_.end())
        return known->second;
    ColumnKeys& keys = columns_[column];
    for (std::size_t row : shown)
        add(keys, row, column, true);
    return keys;
}

void LocateIndex::readPlaces(const std::deque<std::size_t>& shown) {
    std::size_t rows = places_.size();
    for (std::size_t row : shown)
        rows = std::max(rows, row + 1);
    places_.resize(rows);
    for (std::size_t place = 0; place < shown.size(); ++place)
        places_[shown[place]] = {place, 0};
    shifts_.clear();
    placesRead_ = true;
}

std::size_t LocateIndex::placeOf(const std::deque<std::size_t>& shown, std::size_t row) {
    if (!placesRead_)
        readPlaces(shown);
    Place& known = places_[row];
    std::size_t place = known.place;
    for (std::size_t i = known.shiftsApplied; i < shifts_.size(); ++i) {
        const Shift& shift = shifts_[i];
        if (shift.opened && place >= shift.place)
            ++place;
        else if (!shift.opened && place > shift.place)
            --place;
    }
    known = {place, shifts_.size()};
    if (place < shown.size() && shown[place] == row)
        return place;
    // The view changed its rows without saying so; find the row the long way
    // rather than answer with another.
    readPlaces(shown);
    const auto found = std::find(shown.begin(), shown.end(), row);
    return static_cast<std::size_t>(found - shown.begin());
}

std::optional<std::size_t> LocateIndex::findInOrder(const std::deque<std::size_t>& shown,
                                                    std::size_t column, const QString& value,
                                                    LocateOptions options) const {
    // Every text that matches sorts, letter case ignored, at or after the
    // value and, as a beginning, before its ceiling, or as a whole value no
    // later than the value itself: only the rows between need a look. Nulls
    // stand first and are never found.
    const bool beginning = options.partialKey && !value.isEmpty();
    const QString ceiling = beginning ? PrefixCeiling(value) : QString();
    const auto firstPlace = [&](auto before) {
        std::size_t low = 0;
        std::size_t high = shown.size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            const std::optional<QString> text = cellText_(shown[middle], column);
            if (!text || before(*text))
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    };
    const std::size_t low =
        firstPlace([&](const QString& text) { return CompareTextsIgnoringCase(text, value) < 0; });
    const std::size_t high = firstPlace([&](const QString& text) {
        return beginning ? CompareTextsIgnoringCase(text, ceiling) < 0
                         : CompareTextsIgnoringCase(text, value) <= 0;
    });
    for (std::size_t place = low; place < high; ++place) {
        const std::optional<QString> text = cellText_(shown[place], column);
        if (text && Matches(*text, value, options))
            return place;
    }
    return std::nullopt;
}

std::optional<std::size_t> LocateIndex::walk(const std::deque<std::size_t>& shown,
                                             std::size_t column, const QString& value,
                                             LocateOptions options) const {
    for (std::size_t place = 0; place < shown.size(); ++place) {
        const std::optional<QString> text = cellText_(shown[place], column);
        if (text && Matches(*text, value, options))
            return place;
    }
    return std::nullopt;
}

std::optional<std::size_t> LocateIndex::find(const std::deque<std::size_t>& shown,
                                             std::size_t column, const QString& value,
                                             LocateOptions options) {
    if (sortedBy_ == column)
        return findInOrder(shown, column, value, options);
    if (!columns_.contains(column) &&
        std::find(walked_.begin(), walked_.end(), column) == walked_.end()) {
        walked_.push_back(column);
        return walk(shown, column, value, options);
    }
    const Keys& keys = keysOf(shown, column).keys;
    const QString folded = Folded(value);
    const bool beginning = options.partialKey && !value.isEmpty();
    std::vector<std::size_t> rows;
    for (auto it = keys.lower_bound(folded); it != keys.end(); ++it) {
        if (beginning ? !it->first.startsWith(folded) : it->first != folded)
            break;
        if (Matches(it->second.text, value, options))
            rows.push_back(it->second.row);
    }
    // Many rows found, each to be moved by many shifts: one pass is cheaper.
    if (placesRead_ && rows.size() * shifts_.size() > shown.size())
        readPlaces(shown);
    std::optional<std::size_t> first;
    for (std::size_t row : rows) {
        const std::size_t place = placeOf(shown, row);
        if (place < shown.size() && (!first || place < *first))
            first = place;
    }
    return first;
}

} // namespace tiravo
