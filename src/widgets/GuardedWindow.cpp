#include "widgets/GuardedWindow.h"

#include "store/Connection.h"
#include "widgets/HandlerGuard.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace tiravo {

GuardedWindow::GuardedWindow(QWidget* parent, Dialogs& dialogs, const QString& objectName,
                             const WindowLook& look, WindowKeys keys)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName(objectName);
    ApplyWindowLook(this, look);
    KeyboardOptions options{.enterMovesFocus = keys.enterMovesFocus};
    if (keys.preview)
        options.keyPreview =
            GuardedKeys(dialogs_, [this](QKeyEvent* key) { return FormKeyDown(key); });
    new KeyboardConventions(this, std::move(options));
}

bool GuardedWindow::FormKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape)
        return false;
    close();
    return true;
}

bool GuardedWindow::guarded(const std::function<void()>& handler) {
    return RunGuarded(dialogs_, handler);
}

void GuardedWindow::wire(QAbstractButton* button, std::function<void()> handler) {
    connect(button, &QAbstractButton::clicked, this, [this, handler = std::move(handler)] {
        guarded([this, &handler] {
            if (writesTo_)
                writesTo_->requireWritable();
            handler();
        });
    });
}

void GuardedWindow::wireLooking(QAbstractButton* button, std::function<void()> handler) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler = std::move(handler)] { guarded(handler); });
}

void GuardedWindow::moveToDesignedPlace(const QPoint& designed) {
    QScreen* screen = QGuiApplication::screenAt(designed);
    if (!screen)
        screen = this->screen();
    if (!screen) {
        move(designed);
        return;
    }
    move(FittedFramePosition(screen->availableGeometry(), designed, size(),
                             ExpectedFrameMargins(this)));
}

bool GuardedWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        guarded([this] { FormActivate(); });
    return QDialog::event(event);
}

} // namespace tiravo
