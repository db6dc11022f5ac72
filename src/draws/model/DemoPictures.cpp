#include "draws/model/DemoPictures.h"

#include "common/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace tiravo {

namespace {

struct Partner {
    const char* fileName;
    const char* line1;
    const char* line2;
    int hue;
};

// Invented partners: a baker, a grocer and a school.
constexpr Partner kPartners[] = {
    {"padaria-sol.png", "Padaria", "Sol", 35},
    {"mercado-azul.png", "Mercado", "Azul", 215},
    {"escola-nova.png", "Escola", "Nova", 130},
};

constexpr QSize kPhotoSize(800, 600);
constexpr QSize kLogoSize(200, 150);

QColor Hue(int hue, int saturation, int value) {
    return QColor::fromHsv(((hue % 360) + 360) % 360, saturation, value);
}

QFont Bold(int pixelSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// A ridge of hills across the picture, lower for the nearer ones.
QPainterPath Hills(double base, double height, double waves, double phase) {
    QPainterPath path(QPointF(0, kPhotoSize.height()));
    for (int x = 0; x <= kPhotoSize.width(); x += 10) {
        const double t = x / double(kPhotoSize.width());
        path.lineTo(x, base - height * (0.6 + 0.4 * std::sin(t * waves * M_PI + phase)));
    }
    path.lineTo(kPhotoSize.width(), kPhotoSize.height());
    path.closeSubpath();
    return path;
}

void PaintLandscape(QPainter& p, int index, int hue) {
    QLinearGradient sky(0, 0, 0, kPhotoSize.height());
    sky.setColorAt(0, Hue(hue, 160, 240));
    sky.setColorAt(0.7, Hue(hue + 40, 60, 255));
    p.fillRect(QRect(QPoint(), kPhotoSize), sky);

    p.setPen(Qt::NoPen);
    p.setBrush(Hue(hue + 180, 120, 255));
    p.drawEllipse(QPointF(140 + index * 45, 150 - (index % 3) * 25), 60, 60);

    for (int layer = 0; layer < 3; ++layer) {
        p.setBrush(Hue(hue + 150 + layer * 20, 150 + layer * 30, 200 - layer * 50));
        p.drawPath(
            Hills(330 + layer * 90, 110 - layer * 25, 2 + layer + index % 3, index + layer * 1.7));
    }
}

void PaintPortrait(QPainter& p, int index, int hue) {
    QRadialGradient light(QPointF(400, 250), 520);
    light.setColorAt(0, Hue(hue, 70, 255));
    light.setColorAt(1, Hue(hue + 20, 200, 150));
    p.fillRect(QRect(QPoint(), kPhotoSize), light);

    p.setPen(Qt::NoPen);
    const QColor figure = Hue(hue + 200, 120, 70 + (index % 4) * 20);
    p.setBrush(figure);
    QPainterPath shoulders(QPointF(150, 600));
    shoulders.cubicTo(170, 400, 300, 380, 400, 380);
    shoulders.cubicTo(500, 380, 630, 400, 650, 600);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.drawEllipse(QPointF(400, 260), 95 + index % 3 * 8, 115);
    // Hair or a hat, so that no two portraits look alike.
    p.setBrush(Hue(hue + 90, 180, 120));
    if (index % 4 == 1)
        p.drawChord(QRectF(300, 130, 200, 150), 0, 180 * 16);
    else
        p.drawRect(QRectF(290, 135, 220, 30));
}

void Save(const QImage& image, const QString& path, const char* format, int quality) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !image.save(path, format, quality))
        throw Error(
            QStringLiteral("Could not write the picture '%1'").arg(QDir::toNativeSeparators(path)));
}

} // namespace

DemoPictureFiles DemoPicturePaths(const QString& databasePath) {
    const QDir demo(QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("demo")));
    DemoPictureFiles files;
    for (int i = 1; i <= kDemoPhotoCount; ++i)
        files.photos << demo.filePath(
            QStringLiteral("fotos/foto%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
    for (const Partner& partner : kPartners)
        files.logos << demo.filePath(QStringLiteral("logos/") + QLatin1String(partner.fileName));
    return files;
}

QImage DrawDemoPhoto(int index) {
    QImage image(kPhotoSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int hue = index * 360 / kDemoPhotoCount + 15;
    if (index % 2 == 0)
        PaintLandscape(p, index, hue);
    else
        PaintPortrait(p, index, hue);

    // The number tells the photos apart on the draw screen at a glance.
    const QRectF badge(560, 440, 200, 120);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 210));
    p.drawRoundedRect(badge, 24, 24);
    p.setPen(Hue(hue + 200, 200, 90));
    p.setFont(Bold(84));
    p.drawText(badge, Qt::AlignCenter, QString::number(index + 1));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawRoundedRect(QRectF(28, 526, 360, 48), 12, 12);
    p.setFont(Bold(26));
    p.setPen(Qt::white);
    p.drawText(QRectF(40, 530, 340, 40), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Foto de demonstração"));
    return image;
}

QImage DrawDemoLogo(int index) {
    const Partner& partner = kPartners[index];
    QImage image(kLogoSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Hue(partner.hue, 200, 150), 4));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(3, 3, 194, 144), 18, 18);

    p.setPen(Qt::NoPen);
    p.setBrush(Hue(partner.hue, 220, 235));
    const QPointF mark(45, 75);
    if (index == 0) {
        for (int ray = 0; ray < 12; ++ray) {
            const double a = ray * M_PI / 6;
            p.drawEllipse(mark + QPointF(std::cos(a), std::sin(a)) * 30, 5, 5);
        }
        p.drawEllipse(mark, 20, 20);
    } else if (index == 1) {
        p.drawRoundedRect(QRectF(mark - QPointF(26, 22), QSizeF(52, 36)), 6, 6);
        p.drawEllipse(mark + QPointF(-15, 24), 7, 7);
        p.drawEllipse(mark + QPointF(15, 24), 7, 7);
    } else {
        QPainterPath book;
        book.moveTo(mark + QPointF(0, -18));
        book.lineTo(mark + QPointF(-30, -26));
        book.lineTo(mark + QPointF(-30, 22));
        book.lineTo(mark + QPointF(0, 30));
        book.lineTo(mark + QPointF(30, 22));
        book.lineTo(mark + QPointF(30, -26));
        book.closeSubpath();
        p.drawPath(book);
    }

    p.setPen(Hue(partner.hue, 230, 110));
    p.setFont(Bold(20));
    p.drawText(QRectF(82, 40, 112, 34), Qt::AlignLeft | Qt::AlignVCenter,
               QLatin1String(partner.line1));
    p.setPen(Hue(partner.hue, 230, 200));
    p.setFont(Bold(34));
    p.drawText(QRectF(82, 72, 110, 44), Qt::AlignLeft | Qt::AlignVCenter,
               QLatin1String(partner.line2));
    return image;
}

void WriteDemoPictures(const DemoPictureFiles& files) {
    for (qsizetype i = 0; i < files.photos.size(); ++i)
        Save(DrawDemoPhoto(static_cast<int>(i)), files.photos[i], "JPG", 85);
    for (qsizetype i = 0; i < files.logos.size(); ++i)
        Save(DrawDemoLogo(static_cast<int>(i)), files.logos[i], "PNG", -1);
}

} // namespace tiravo
