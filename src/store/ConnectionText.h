#pragma once

#include <QString>

namespace tiravo {

// The connection text names the provider and the file and ends with the
// database password, as key=value pairs separated by ";".
struct ConnectionSettings {
    QString provider;
    QString dataSource;
    QString password;
};

// The fixed place of the database file on this system.
QString FixedDatabasePath();

// The connection text without its password: the password follows it directly.
QString ConnectionTextFor(const QString& dataSource);

// Throws Error when the text lacks the provider, the file or the password key.
ConnectionSettings ParseConnectionText(const QString& text);

// The name the engine answers to in a connection text.
inline constexpr const char* kProviderName = "SQLCipher";

} // namespace tiravo
