// Draws the program's built-in pictures, and makes its sounds, into a folder
// (the repository's resources/), or with --icons the program's icon at the desktop's sizes into
// a hicolor tree (packaging/icons). The drawings use fixed seeds, so running
// it again gives the same files; the pictures are committed, not drawn at
// build time.

#include "Artwork.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <vector>

namespace {

using namespace tiravo::artwork;

struct Picture {
    QString fileName;
    QSize size;
    std::function<QImage(QSize)> paint;
};

QImage square(QImage (*paint)(int), QSize size) {
    return paint(size.width());
}

std::vector<Picture> pictures() {
    const QSize icon(48, 48);
    return {
        {"background.jpg", {1920, 1200}, paintSunrise},
        {"login.png", {464, 277}, paintLogin},
        {"teaser.png", {612, 330}, paintTeaser},
        {"frame.png", {612, 330}, paintFrame},
        {"teaser-photo.png", {640, 480}, paintCrowdTeaser},
        {"frame-photo.png", {640, 480}, paintFrame},
        {"maker-logo.png", {111, 150}, paintMakerLogo},
        {"about.png", {400, 400}, paintAboutCard},
        {"tool-number.png", icon, [](QSize s) { return square(paintCardsIcon, s); }},
        {"tool-name.png", icon, [](QSize s) { return square(paintPencilIcon, s); }},
        {"tool-photo.png", icon, [](QSize s) { return square(paintPeopleIcon, s); }},
        {"tool-partners.png", icon, [](QSize s) { return square(paintFolderIcon, s); }},
        {"tool-access.png", icon, [](QSize s) { return square(paintKeyIcon, s); }},
        {"tool-maker.png", icon, [](QSize s) { return square(paintMakerIcon, s); }},
        {"tool-exit.png", icon, [](QSize s) { return square(paintCrossIcon, s); }},
    };
}

struct Recording {
    QString fileName;
    QByteArray (*make)();
};

std::vector<Recording> sounds() {
    return {{"drum-roll.wav", synthDrumRoll}, {"fanfare.wav", synthFanfare}};
}

// The sizes the hicolor theme's menus, panels and software centres ask for.
std::vector<Picture> icons() {
    std::vector<Picture> result;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512})
        result.push_back({QStringLiteral("hicolor/%1x%1/apps/tiravo.png").arg(size),
                          {size, size},
                          [](QSize s) { return paintProgramIcon(s.width()); }});
    return result;
}

bool save(const QImage& image, const QString& path) {
    QImageWriter writer(path);
    if (path.endsWith(".jpg")) {
        // Quality 88 keeps the photograph free of visible blocks in the sky
        // at a few hundred kilobytes.
        writer.setQuality(88);
        writer.setOptimizedWrite(true);
    } else {
        // For PNG, Qt reads quality 0 as the strongest deflate level; the
        // pictures stay lossless either way.
        writer.setQuality(0);
    }
    return writer.write(image);
}

} // namespace

int main(int argc, char** argv) {
    // Text needs a font database, which needs a platform; no window is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = QGuiApplication::arguments().mid(1);
    const bool iconSet = !args.isEmpty() && args.front() == QLatin1String("--icons");
    if (iconSet)
        args.removeFirst();
    if (args.isEmpty()) {
        err << "usage: tiravo-artwork [--icons] <output folder> [file name...]\n";
        return 2;
    }
    const QDir folder(args.front());
    if (!folder.exists()) {
        err << "tiravo-artwork: no such folder: " << args.front() << "\n";
        return 1;
    }
    // Naming files draws only those, which is handy while working on one.
    const QStringList only = args.mid(1);

    qint64 total = 0;
    for (const Picture& picture : iconSet ? icons() : pictures()) {
        if (!only.isEmpty() && !only.contains(picture.fileName))
            continue;
        const QImage image = picture.paint(picture.size);
        const QString path = folder.filePath(picture.fileName);
        if (image.size() != picture.size || !QFileInfo(path).dir().mkpath(QStringLiteral(".")) ||
            !save(image, path)) {
            err << "tiravo-artwork: could not write " << path << "\n";
            return 1;
        }
        const qint64 bytes = QFileInfo(path).size();
        total += bytes;
        out << picture.fileName << "\t" << image.width() << "x" << image.height() << "\t" << bytes
            << " bytes\n";
    }
    for (const Recording& sound : iconSet ? std::vector<Recording>{} : sounds()) {
        if (!only.isEmpty() && !only.contains(sound.fileName))
            continue;
        const QString path = folder.filePath(sound.fileName);
        QFile file(path);
        const QByteArray wav = sound.make();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(wav) != wav.size() || !file.flush()) {
            err << "tiravo-artwork: could not write " << path << "\n";
            return 1;
        }
        total += wav.size();
        out << sound.fileName << "\t" << wav.size() << " bytes\n";
    }
    out << "total\t" << total << " bytes\n";
    return 0;
}
