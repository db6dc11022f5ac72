#include "PartnersSupport.h"

#include "support/ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo::test {

LoggedInMenu::LoggedInMenu() : menu(std::make_unique<TFMenu>(fakes.programContext())) {
    OnNextModal([](QDialog* login) { login->findChild<QPushButton*>("BitBtn1")->click(); });
    EXPECT_TRUE(menu->Start());
    QApplication::setActiveWindow(menu.get());
    QTest::qWait(1);
}

LoggedInMenu::~LoggedInMenu() = default;

void LoggedInMenu::inWindow(QAbstractButton* button, const std::function<void(QDialog*)>& action) {
    bool ran = false;
    OnNextModal([&](QDialog* window) {
        ran = true;
        QPointer<QDialog> alive = window;
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        action(window);
        if (alive && alive->isVisible())
            alive->close();
    });
    button->click();
    EXPECT_TRUE(ran);
}

QString LoggedInMenu::writePicture(const QString& name, QSize size, const char* format) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::darkMagenta);
    const QString path = QDir(db.folder()).filePath(name);
    EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    EXPECT_TRUE(picture.save(path, format)) << path.toStdString();
    return path;
}

QString LoggedInMenu::writeFile(const QString& name, const QByteArray& contents) {
    const QString path = QDir(db.folder()).filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    return path;
}

} // namespace tiravo::test
