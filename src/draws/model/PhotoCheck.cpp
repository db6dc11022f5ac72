#include "draws/model/PhotoCheck.h"

#include "platform/Pictures.h"

#include <QFileInfo>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <vector>

namespace tiravo {

CheckedPhotos CheckPhotos(const QStringList& paths) {
    // Each file is read through to its end, a millisecond or so for a photo
    // of 640 x 480: a folder of thousands is shared out among the cores, each
    // taking the next file not yet taken. The loader keeps nothing between
    // files that two threads could share.
    std::vector<char> shows(std::size_t(paths.size()), 0);
    std::atomic<qsizetype> next{0};
    const auto work = [&] {
        for (qsizetype at = next++; at < paths.size(); at = next++) {
            try {
                CheckPicture(paths[at]);
                shows[std::size_t(at)] = 1;
            } catch (...) {
                // Whatever stops the loader here would stop it in a draw.
            }
        }
    };
    QThreadPool workers;
    const int helpers = int(qMin<qsizetype>(QThread::idealThreadCount(), paths.size())) - 1;
    for (int i = 0; i < helpers; ++i)
        workers.start(work);
    work();
    workers.waitForDone();

    CheckedPhotos checked;
    for (qsizetype at = 0; at < paths.size(); ++at)
        (shows[std::size_t(at)] ? checked.sound : checked.refused) << paths[at];
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
