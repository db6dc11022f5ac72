#pragma once

#include <QString>

namespace tiravo {

// The maker's host: a reserved name, so that no address of the program can
// ever lead an audience to a stranger's site.
inline constexpr char kMakerHost[] = "www.korvane.example";

// A page of the maker's site, by its path ("/tiravo.html").
QString MakerPage(const QString& path);
QString MakerHomePage();

} // namespace tiravo
