#pragma once

#include <QObject>

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
    // focus, tab stop or not.
    static QWidget* neighbour(QWidget* window, QWidget* from, bool forward);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    KeyboardOptions options_;
};

} // namespace tiravo
