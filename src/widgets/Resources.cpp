#include "widgets/Resources.h"

#include <QDir>

static void RegisterResources() {
    Q_INIT_RESOURCE(resources);
}

namespace tiravo {

void InitResources() {
    static const bool done = (RegisterResources(), true);
    (void)done;
}

QString BuiltInPicturePath(const QString& name) {
    return QStringLiteral(":/pictures/") + name;
}

QImage BuiltInPicture(const QString& name) {
    InitResources();
    return QImage(BuiltInPicturePath(name));
}

} // namespace tiravo
