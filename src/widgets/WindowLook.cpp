#include "widgets/WindowLook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace tiravo {

QMargins ExpectedFrameMargins(const QWidget* window) {
    const QWidget* parent = window ? window->parentWidget() : nullptr;
    for (const QWidget* shown : {window, parent})
        if (shown)
            if (const QWindow* own = shown->window()->windowHandle(); own && own->isVisible())
                return own->frameMargins();
    for (const QWindow* other : QGuiApplication::topLevelWindows())
        if (other->isVisible() && !other->frameMargins().isNull())
            return other->frameMargins();
    return {};
}

QPoint CentredFramePosition(const QRect& area, const QSize& client, const QMargins& frame) {
    QRect framed(QPoint(), client.grownBy(frame));
    framed.moveCenter(area.center());
    // On a screen too small for it the title bar stays in reach.
    return {std::max(framed.left(), area.left()), std::max(framed.top(), area.top())};
}

QPoint FittedFramePosition(const QRect& area, const QPoint& designed, const QSize& client,
                           const QMargins& frame) {
    const QSize framed = client.grownBy(frame);
    const int x = std::min(designed.x(), area.left() + area.width() - framed.width());
    const int y = std::min(designed.y(), area.top() + area.height() - framed.height());
    return {std::max(x, area.left()), std::max(y, area.top())};
}

void ApplyWindowLook(QWidget* window, const WindowLook& look) {
    window->setWindowTitle(look.caption);
    window->setFont(look.font);
    window->setFixedSize(look.client);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (look.buttons == TitleButtons::CloseOnly)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
    // A dialog would otherwise open over the middle of its parent; these open
    // in the middle of the screen, frame and all (a top-level window's
    // position is its frame's). A window with a designed place moves there
    // afterwards.
    QWidget* parent = window->parentWidget();
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        window->move(CentredFramePosition(screen->availableGeometry(), look.client,
                                          ExpectedFrameMargins(window)));
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
