#include "widgets/WindowLook.h"

#include <QWidget>

namespace tiravo {

void ApplyWindowLook(QWidget* window, const WindowLook& look) {
    window->setWindowTitle(look.caption);
    window->setFont(look.font);
    window->setFixedSize(look.client);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (look.buttons == TitleButtons::CloseOnly)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
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
