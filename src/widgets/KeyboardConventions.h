#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QKeyEvent;
class QWidget;

namespace tiravo {

struct KeyboardOptions {
    // The window sees each key before its controls; answering true swallows it.
    std::function<bool(QKeyEvent*)> keyPreview;
    // Enter moves the focus as Tab does, Shift+Enter as Shift+Tab (login and
    // name editor); elsewhere Enter presses the focused button only.
    bool enterMovesFocus = false;
};

// The keyboard rules every window shares: Tab and Shift+Tab among tab stops;
// the arrow keys to the next or previous control in tab order, tab stop or
// not (so controls placed outside the visible area are reachable), unless the
// focused control uses the arrows itself; Enter or space presses the focused
// button. Owned by the window it watches.
class KeyboardConventions : public QObject {
    Q_OBJECT
public:
    KeyboardConventions(QWidget* window, KeyboardOptions options = {});

    // The control after (or before) `from` in tab order that can take the
    // focus, tab stop or not (or only tab stops, as Tab moves): the one that
    // would hold the focus, a spin box rather than its inner edit. Null when
    // there is none but `from`.
    static QWidget* neighbour(QWidget* window, QWidget* from, bool forward,
                              bool tabStopsOnly = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(QKeyEvent* key, QWidget* focus);
    void moveFocus(QWidget* from, bool forward, bool tabStopsOnly);

    QWidget* window_;
    KeyboardOptions options_;
    // A key that no control takes travels up to the window, passing through
    // this filter once for each parent; it counts once, at its first stop.
    const QEvent* lastPress_ = nullptr;
    QPointer<QWidget> lastReceiver_;
};

} // namespace tiravo
