#include "widgets/WindowLook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tiravo {

void ApplyWindowLook(QWidget* window, const WindowLook& look) {
    window->setWindowTitle(look.caption);
    window->setFont(look.font);
    window->setFixedSize(look.client);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (look.buttons == TitleButtons::CloseOnly)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
    // A dialog would otherwise open over the middle of its parent; these open
    // in the middle of the screen. A window with a designed place moves there
    // afterwards. On a screen too small for it the title bar stays in reach.
    QWidget* parent = window->parentWidget();
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QPoint place = area.center() - window->rect().center();
        window->move(std::max(place.x(), area.left()), std::max(place.y(), area.top()));
    }
}

QFont PointFont(const QString& family, int points, bool bold) {
    QFont font(family);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QFont PixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void InstallFontSubstitutes() {
    // Metric-compatible families first, so captions keep their designed widths.
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Tahoma", {"DejaVu Sans", "Liberation Sans"});
    QFont::insertSubstitutions("Trebuchet MS", {"DejaVu Sans", "Liberation Sans"});
    QFont::insertSubstitutions("Arial Rounded MT Bold", {"DejaVu Sans", "Liberation Sans"});
}

} // namespace tiravo
