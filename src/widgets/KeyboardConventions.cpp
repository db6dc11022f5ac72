#include "widgets/KeyboardConventions.h"

#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>
#include <QToolButton>

namespace tiravo {

namespace {

// Controls that move within themselves with the arrow keys keep them.
bool UsesArrows(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSlider*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTabBar*>(widget);
}

// Check boxes and radio buttons are not pressed by Enter; push and tool
// buttons are.
QAbstractButton* PressableButton(QWidget* widget) {
    if (auto* push = qobject_cast<QPushButton*>(widget))
        return push;
    return qobject_cast<QToolButton*>(widget);
}

QWidget* DeepestFocusProxy(QWidget* widget) {
    QWidget* proxy = widget->focusProxy();
    while (proxy && proxy->focusProxy())
        proxy = proxy->focusProxy();
    return proxy;
}

QWidget* FocusTaker(QWidget* widget) {
    QWidget* proxy = DeepestFocusProxy(widget);
    return proxy ? proxy : widget;
}

// The same test Qt makes for Tab, with "can take the focus at all" in place
// of "is a tab stop" when the arrows move.
bool CanReceive(QWidget* window, QWidget* test, QWidget* from, bool forward, bool tabStopsOnly) {
    if (!window->isAncestorOf(test) || !test->isEnabled() || !test->isVisibleTo(window))
        return false;
    QWidget* proxy = DeepestFocusProxy(test);
    QWidget* taker = proxy ? proxy : test;
    const int policy = taker->isEnabled() ? static_cast<int>(taker->focusPolicy()) : 0;
    if (tabStopsOnly ? (policy & Qt::TabFocus) == 0 : policy == Qt::NoFocus)
        return false;
    // A compound control is entered once, through its proxy, not again
    // through its parts.
    if (proxy && (forward ? proxy->isAncestorOf(test) : test->isAncestorOf(proxy)))
        return false;
    return taker != FocusTaker(from);
}

} // namespace

KeyboardConventions::KeyboardConventions(QWidget* window, KeyboardOptions options)
    : QObject(window), window_(window), options_(std::move(options)) {
    // On the application rather than on each control, so that controls the
    // window creates later follow the same rules.
    qApp->installEventFilter(this);
}

QWidget* KeyboardConventions::neighbour(QWidget* window, QWidget* from, bool forward,
                                        bool tabStopsOnly) {
    if (!window)
        return nullptr;
    if (!from || (from != window && !window->isAncestorOf(from)))
        from = window;
    // Walking forward and keeping the last match before coming round again
    // finds the previous control; the chain links only one way cheaply.
    QWidget* found = nullptr;
    for (QWidget* test = from->nextInFocusChain(); test && test != from;
         test = test->nextInFocusChain()) {
        if (!CanReceive(window, test, from, forward, tabStopsOnly))
            continue;
        // The part of a compound that the focus goes to answers for it.
        found = FocusTaker(test);
        if (forward)
            break;
    }
    return found;
}

bool KeyboardConventions::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease || type == QEvent::ShortcutOverride) {
        lastPress_ = nullptr;
        return false;
    }
    if (type != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget != window_ && !window_->isAncestorOf(widget))
        return false;
    if (event == lastPress_ && lastReceiver_ && widget != lastReceiver_ &&
        widget->isAncestorOf(lastReceiver_))
        return false;
    lastPress_ = event;
    lastReceiver_ = widget;

    auto* key = static_cast<QKeyEvent*>(event);
    if (options_.keyPreview) {
        const QPointer<KeyboardConventions> alive(this);
        if (options_.keyPreview(key) || !alive)
            return true;
    }
    QWidget* focus = widget;
    if (widget == window_ && window_->focusWidget())
        focus = window_->focusWidget();
    return handleKey(key, focus);
}

bool KeyboardConventions::handleKey(QKeyEvent* key, QWidget* focus) {
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        // On a button Enter presses it, even where Enter otherwise moves on:
        // name, Enter, password, Enter, Enter logs in.
        if (QAbstractButton* button = PressableButton(focus)) {
            button->click();
            return true;
        }
        if (options_.enterMovesFocus) {
            moveFocus(focus, !(modifiers & Qt::ShiftModifier), true);
            return true;
        }
        return false;
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right:
        if ((modifiers & Qt::AltModifier) || UsesArrows(focus))
            return false;
        moveFocus(focus, key->key() == Qt::Key_Down || key->key() == Qt::Key_Right, false);
        return true;
    default:
        return false;
    }
}

void KeyboardConventions::moveFocus(QWidget* from, bool forward, bool tabStopsOnly) {
    if (QWidget* to = neighbour(window_, from, forward, tabStopsOnly))
        to->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

} // namespace tiravo
