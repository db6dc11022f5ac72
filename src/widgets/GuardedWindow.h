#pragma once

#include "widgets/KeyboardConventions.h"
#include "widgets/WindowLook.h"

#include <QDialog>

#include <functional>

class QAbstractButton;
class QKeyEvent;

namespace tiravo {

class Connection;
class Dialogs;

// How a secondary window takes its keys.
struct WindowKeys {
    // The window sees each key before its controls (FormKeyDown).
    bool preview = true;
    // Enter moves the focus as Tab does (login, name editor).
    bool enterMovesFocus = false;
};

// What every secondary window shares: its frame (caption, client size, font),
// the keyboard conventions, the guard every handler runs through, FormKeyDown
// seeing each key first and closing the window on Esc, FormActivate at every
// activation, and buttons wired to handlers through the guard.
class GuardedWindow : public QDialog {
    Q_OBJECT
public:
    // Esc closes the window; a window that takes other keys overrides it and
    // answers true for each key it swallows.
    virtual bool FormKeyDown(QKeyEvent* event);
    // Runs each time the window becomes active, through the guard.
    virtual void FormActivate() {}

protected:
    GuardedWindow(QWidget* parent, Dialogs& dialogs, const QString& objectName,
                  const WindowLook& look, WindowKeys keys = {});

    // Runs a handler through the guard; false when it ended in an error.
    bool guarded(const std::function<void()>& handler);
    // A click on `button` runs `handler` through the guard.
    void wire(QAbstractButton* button, std::function<void()> handler);
    // Every command wired in this window writes to the file of `connection`:
    // while that file is open for reading only, a click is refused before
    // its command shows or asks anything, and the error box says why. The
    // window still opens, to be looked at.
    void commandsWriteTo(const Connection& connection) { writesTo_ = &connection; }
    // A command of such a window that only shows (opens another window to be
    // looked at): it runs whether the file can be written or not.
    void wireLooking(QAbstractButton* button, std::function<void()> handler);
    template <class Window> void wire(QAbstractButton* button, void (Window::*handler)()) {
        auto* window = static_cast<Window*>(this);
        wire(button, [window, handler] { (window->*handler)(); });
    }

    // Puts the window's frame at its designed place on the screen there, or,
    // where the whole window would not be on that screen, just far enough in
    // that it is.
    void moveToDesignedPlace(const QPoint& designed);

    bool event(QEvent* event) override;

    Dialogs& dialogs_;

private:
    const Connection* writesTo_ = nullptr;
};

} // namespace tiravo
