#include "branding/MakerSite.h"

namespace tiravo {

QString MakerPage(const QString& path) {
    return QStringLiteral("https://") + QLatin1String(kMakerHost) + path;
}

QString MakerHomePage() {
    return MakerPage(QStringLiteral("/"));
}

} // namespace tiravo
