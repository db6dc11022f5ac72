#include "platform/ui/MessageBoxDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tiravo {
namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    int width = 0;
    int captionRoom = 0; // the caption in a bold face beside three title-bar boxes
    QMessageBox::StandardButton preset = QMessageBox::NoButton; // what Enter presses
};

// Runs ask() while a timer looks at the real box it opens, writes down what
// the operator would see and presses the given button.
SeenBox pressWhileAsking(QMessageBox::StandardButton press, const std::function<void()>& ask) {
    SeenBox seen;
    bool found = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        found = true;
        QFont title = box->font();
        title.setBold(true);
        seen = {box->windowTitle(),
                box->text(),
                box->icon(),
                box->standardButtons(),
                box->width(),
                QFontMetrics(title).horizontalAdvance(box->windowTitle()) +
                    3 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box)};
        if (QPushButton* preset = box->defaultButton())
            seen.preset = box->standardButton(preset);
        if (QAbstractButton* button = box->button(press))
            button->click();
        else
            box->reject();
    });
    ask();
    EXPECT_TRUE(found) << "no message box was open";
    return seen;
}

TEST(MessageBoxDialogs, ShowTheRightCaptionIconAndButtonsAndReadTheAnswer) {
    MessageBoxDialogs dialogs;
    bool answer = false;

    SeenBox seen = pressWhileAsking(QMessageBox::Yes, [&] { answer = dialogs.confirm("Limpar?"); });
    EXPECT_TRUE(answer);
    EXPECT_EQ(seen.caption, QStringLiteral("Confirm"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    pressWhileAsking(QMessageBox::No, [&] { answer = dialogs.confirm("Limpar?"); });
    EXPECT_FALSE(answer);
    seen =
        pressWhileAsking(QMessageBox::Yes, [&] { answer = dialogs.confirmDefaultNo("Incluir?"); });
    EXPECT_TRUE(answer);
    EXPECT_EQ(seen.caption, QStringLiteral("Confirm"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.preset, QMessageBox::No);

    seen = pressWhileAsking(QMessageBox::Cancel, [&] { answer = dialogs.confirmDeleteRecord(); });
    EXPECT_FALSE(answer);
    EXPECT_EQ(seen.text, QStringLiteral("Delete record?"));
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    pressWhileAsking(QMessageBox::Ok, [&] { answer = dialogs.confirmDeleteRecord(); });
    EXPECT_TRUE(answer);

    seen = pressWhileAsking(QMessageBox::Ok, [&] { dialogs.error("Disco cheio"); });
    EXPECT_EQ(seen.caption, QStringLiteral("Tiravo"));
    EXPECT_EQ(seen.text, QStringLiteral("Disco cheio."));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);

    seen = pressWhileAsking(QMessageBox::Ok, [&] { dialogs.notice("Qual o nome?"); });
    EXPECT_EQ(seen.caption, QStringLiteral("Tiravo"));
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
    // A short text must not leave the window manager too little room for the
    // caption, or it cuts "Tiravo" to "...".
    EXPECT_GE(seen.width, seen.captionRoom);

    seen = pressWhileAsking(QMessageBox::Ok, [&] { dialogs.information("Tarefa Concluida!"); });
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}

} // namespace
} // namespace tiravo
