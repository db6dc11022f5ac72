// The connection text: any text gives settings or an Error, and a text the
// program builds for any file and password gives them back unchanged.
#include "FuzzEntry.h"

#include "common/Error.h"
#include "store/ConnectionText.h"

#include <QByteArray>

namespace {

using namespace tiravo;

void fuzzConnectionText(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    try {
        const ConnectionSettings settings = ParseConnectionText(text);
        fuzz::require(
            settings.provider.compare(QLatin1String(kProviderName), Qt::CaseInsensitive) == 0,
            "a parsed text names the provider");
        fuzz::require(!settings.dataSource.isEmpty(), "a parsed text names a file");
    } catch (const Error&) {
    }

    // The first line as the file, the rest as the password, which may hold
    // anything at all.
    const qsizetype lineEnd = text.indexOf(u'\n');
    const QString dataSource = lineEnd < 0 ? text : text.left(lineEnd);
    const QString password = lineEnd < 0 ? QString() : text.mid(lineEnd + 1);
    const bool fileFits = !dataSource.trimmed().isEmpty() && dataSource.trimmed() == dataSource &&
                          !dataSource.contains(u';') &&
                          !dataSource.contains(QLatin1String("Password="), Qt::CaseInsensitive);
    if (!fileFits)
        return;
    const ConnectionSettings back = ParseConnectionText(ConnectionTextFor(dataSource) + password);
    fuzz::require(back.dataSource == dataSource, "the file comes back unchanged");
    fuzz::require(back.password == password, "the password comes back unchanged");
}

} // namespace

TIRAVO_FUZZ_TARGET("connection_text", fuzzConnectionText)
