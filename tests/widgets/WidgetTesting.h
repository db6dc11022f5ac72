#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

// Readable failures: QString and QStringList as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << '{';
    for (const QString& text : texts)
        *out << " \"" << text.toStdString() << '"';
    *out << " }";
}

namespace tiravo::test {

// Shows a top-level window and makes it the active one, so that keys reach
// the focused control as they would on a desktop.
inline bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Keys go to whatever holds the focus at the moment each is typed: after the
// first key of a cell the focus is in its editor.
inline QWidget* FocusOrFail() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        ADD_FAILURE() << "no control has the focus";
    return focus;
}

inline void TypeIntoFocus(const QString& text) {
    for (QChar c : text)
        if (QWidget* focus = FocusOrFail())
            QTest::keyClick(focus, c.toLatin1());
}

inline void PressOnFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    if (QWidget* focus = FocusOrFail())
        QTest::keyClick(focus, key, modifiers);
}

} // namespace tiravo::test
