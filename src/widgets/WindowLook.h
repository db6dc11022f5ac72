#pragma once

#include <QFont>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace tiravo {

enum class TitleButtons {
    CloseOnly, // system menu with a close box
    None,      // no system menu and no buttons at all (the login)
};

// The fixed frame of a secondary window: its caption, client size and font.
struct WindowLook {
    QString caption;
    QSize client;
    QFont font;
    TitleButtons buttons = TitleButtons::CloseOnly;
};

// Also centres the window, its frame included, on the screen its parent is on.
void ApplyWindowLook(QWidget* window, const WindowLook& look);

// Where a window's frame goes to be centred in `area`, given the frame the
// window manager draws around its client area.
QPoint CentredFramePosition(const QRect& area, const QSize& client, const QMargins& frame);

// Where a window with a designed place goes, its frame included: exactly
// there when the frame fits in `area`, else moved just enough to fit; on a
// screen smaller than the frame its title bar's corner stays on the screen.
QPoint FittedFramePosition(const QRect& area, const QPoint& designed, const QSize& client,
                           const QMargins& frame);

// What the window manager draws around the client area of `window` (title
// bar, borders): its own frame once it is on screen, before that the frame of
// its parent or of any other window of ours that is. None before the first.
QMargins ExpectedFrameMargins(const QWidget* window);

// A font of the program by the family it names, in points or in pixels. The
// families of the original desktop are mapped to ones this system has.
QFont PointFont(const QString& family, int points, bool bold = false);
QFont PixelFont(const QString& family, int pixels, bool bold = false);

// Maps the program's font families to installed ones; called once at start.
void InstallFontSubstitutes();

// Places a control at its designed rectangle and returns it.
template <class Control> Control* Place(Control* control, int x, int y, int w, int h) {
    control->setGeometry(QRect(x, y, w, h));
    return control;
}

} // namespace tiravo
