#include "draws/model/PhotoCheck.h"

#include "common/Error.h"
#include "platform/Pictures.h"

#include <QFileInfo>

namespace tiravo {

CheckedPhotos CheckPhotos(const QStringList& paths) {
    CheckedPhotos checked;
    for (const QString& path : paths) {
        try {
            CheckPicture(path);
            checked.sound << path;
        } catch (const Error&) {
            checked.refused << path;
        }
    }
    return checked;
}

QString RefusedPhotosMessage(const QStringList& refused) {
    QStringList lines{QStringLiteral("Estas fotos não foram incluídas porque o arquivo está "
                                     "danificado ou não é uma imagem válida:")};
    for (qsizetype i = 0; i < refused.size() && i < kRefusedPhotosNamed; ++i)
        lines << QFileInfo(refused[i]).fileName();
    if (refused.size() > kRefusedPhotosNamed)
        lines << QStringLiteral("e mais %1").arg(refused.size() - kRefusedPhotosNamed);
    return lines.join(u'\n');
}

} // namespace tiravo
