#include "support/OffscreenScreens.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tiravo::test {

bool UseOffscreenScreens(std::initializer_list<QRect> screens) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return false;
    QJsonArray list;
    int number = 0;
    for (const QRect& screen : screens)
        list.append(QJsonObject{{"name", QStringLiteral("Screen%1").arg(++number)},
                                {"x", screen.x()},
                                {"y", screen.y()},
                                {"width", screen.width()},
                                {"height", screen.height()},
                                {"logicalDpi", 96},
                                {"logicalBaseDpi", 96},
                                {"dpr", 1}});
    const QJsonObject config{
        {"synchronousWindowSystemEvents", true}, {"windowFrameMargins", false}, {"screens", list}};
    // One file per process, so that tests running side by side keep theirs.
    const QString path = QDir::temp().filePath(
        QStringLiteral("tiravo-screens-%1.json").arg(QCoreApplication::applicationPid()));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(QJsonDocument(config).toJson());
    file.close();
    // Qt reads the file when the application starts; it goes when the process ends.
    static const struct Removal {
        QString path;
        ~Removal() { QFile::remove(path); }
    } removal{path};
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
    return true;
}

} // namespace tiravo::test
