#include "store/TextOrder.h"

#include <QCollator>
#include <QLocale>

#include <numeric>

namespace tiravo {

namespace {

QCollator MakeCollator(Qt::CaseSensitivity sensitivity) {
    QCollator collator(QLocale(QLocale::Portuguese, QLocale::Brazil));
    collator.setCaseSensitivity(sensitivity);
    collator.setNumericMode(false);
    // Blanks and punctuation count, so "Ana Maria" comes before "Anabela".
    collator.setIgnorePunctuation(false);
    // Built now, not on the first comparison made somewhere else.
    collator.compare(u"a", u"b");
    return collator;
}

const QCollator& Collator() {
    static const QCollator collator = MakeCollator(Qt::CaseSensitive);
    return collator;
}

const QCollator& CollatorIgnoringCase() {
    static const QCollator collator = MakeCollator(Qt::CaseInsensitive);
    return collator;
}

// Texts of digits and capitals only, like order keys and free slots, or of
// digits and small letters only, have no accents and no case to weigh: the
// collation orders them as their code units do, so they need no keys.
bool AllPlainAlike(const std::vector<QStringView>& texts) {
    bool upper = false;
    bool lower = false;
    for (QStringView text : texts)
        for (QChar c : text) {
            const char16_t u = c.unicode();
            if (u >= u'A' && u <= u'Z')
                upper = true;
            else if (u >= u'a' && u <= u'z')
                lower = true;
            else if (u < u'0' || u > u'9')
                return false;
        }
    return !(upper && lower);
}

} // namespace

int CompareTexts(QStringView a, QStringView b) {
    const int order = Collator().compare(a, b);
    return order != 0 ? order : CompareUnits(a, b);
}

int CompareTextsIgnoringCase(QStringView a, QStringView b) {
    return CollatorIgnoringCase().compare(a, b);
}

QString PrefixCeiling(const QString& value) {
    // U+FFFF carries the highest weight the collation has, there for this use.
    return value + QChar(0xFFFF);
}

std::vector<std::size_t> TextOrderOf(const std::vector<QStringView>& texts) {
    std::vector<std::size_t> order(texts.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (AllPlainAlike(texts)) {
        std::sort(order.begin(), order.end(), [&texts](std::size_t a, std::size_t b) {
            const int units = CompareUnits(texts[a], texts[b]);
            return units != 0 ? units < 0 : a < b;
        });
        return order;
    }
    std::vector<QCollatorSortKey> keys;
    keys.reserve(texts.size());
    for (QStringView text : texts)
        keys.push_back(Collator().sortKey(text.toString()));
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        int by = keys[a].compare(keys[b]);
        if (by == 0)
            by = CompareUnits(texts[a], texts[b]);
        return by != 0 ? by < 0 : a < b;
    });
    return order;
}

void SortTexts(QStringList& texts) {
    const std::vector<QStringView> views(texts.begin(), texts.end());
    QStringList sorted;
    sorted.reserve(texts.size());
    for (std::size_t place : TextOrderOf(views))
        sorted.push_back(texts[static_cast<qsizetype>(place)]);
    texts = std::move(sorted);
}

} // namespace tiravo
