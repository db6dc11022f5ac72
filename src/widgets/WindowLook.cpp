#include "widgets/WindowLook.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace tiravo {

namespace {

// What the window manager draws around a client area (title bar, borders),
// as it drew it around a window of ours already on screen: the parent's when
// it is shown, else any other. A window not yet shown has no frame to ask.
QMargins FrameOfAShownWindow(const QWidget* parent) {
    if (parent)
        if (const QWindow* own = parent->window()->windowHandle(); own && own->isVisible())
            return own->frameMargins();
    for (const QWindow* window : QGuiApplication::topLevelWindows())
        if (window->isVisible() && !window->frameMargins().isNull())
            return window->frameMargins();
    return {};
}

} // namespace

QPoint CentredFramePosition(const QRect& area, const QSize& client, const QMargins& frame) {
    QRect framed(QPoint(), client.grownBy(frame));
    framed.moveCenter(area.center());
    // On a screen too small for it the title bar stays in reach.
    return {std::max(framed.left(), area.left()), std::max(framed.top(), area.top())};
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
                                          FrameOfAShownWindow(parent)));
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
