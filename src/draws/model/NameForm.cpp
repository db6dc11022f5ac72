#include "draws/model/NameForm.h"

#include "draws/model/PoolColumns.h"
#include "store/Column.h"
#include "store/Dataset.h"

namespace tiravo {

namespace {

bool Invisible(char32_t c) {
    return (c >= 0x200B && c <= 0x200F) || c == 0x2060 || c == 0xFEFF || c == 0x061C ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool Control(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool PartsWords(char32_t c) {
    return c == u'\t' || c == u'\n' || c == 0x0B || c == 0x0C || c == u'\r' || c == 0x85;
}

} // namespace

QString NormalizedName(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar unit = text.at(at);
        if (unit.isSurrogate()) {
            // A pair is one character; a lone half is none.
            if (unit.isHighSurrogate() && at + 1 < text.size() &&
                text.at(at + 1).isLowSurrogate()) {
                kept.append(unit);
                kept.append(text.at(++at));
            }
            continue;
        }
        const char32_t c = unit.unicode();
        if (Invisible(c))
            continue;
        if (Control(c)) {
            if (PartsWords(c))
                kept.append(u' ');
            continue;
        }
        kept.append(unit);
    }
    // After the removal, so that a mark parted from its letter by a
    // zero-width joiner is composed with it.
    return kept.normalized(QString::NormalizationForm_C);
}

QString StoredName(const QString& text, int width) {
    return CutToWidth(NormalizedName(text), width);
}

void StoreNameInItsForm(Dataset& names) {
    // Only a name this post writes: one stored before it is left as it is.
    Field name = names.field(kNome);
    if (!name.modified() || name.isNull())
        return;
    const QString typed = name.asString();
    const QString stored = StoredName(typed, name.column().width);
    if (stored != typed)
        name.setAsString(stored);
}

} // namespace tiravo
