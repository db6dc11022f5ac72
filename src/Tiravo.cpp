#include "platform/AppContext.h"
#include "platform/QtTranslations.h"
#include "platform/ui/RealServices.h"
#include "shell/BemVindo.h"
#include "shell/Menu.h"
#include "store/ConnectionText.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tiravo"));
    // Lets the desktop tie the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.korvane.Tiravo"));
    const auto qtWords = tiravo::InstallQtTranslations(QLocale::system());
    tiravo::InstallFontSubstitutes();
    tiravo::InitResources();

    tiravo::RealServices real;
    // A new computer has no database file yet; the user makes one here.
    if (!tiravo::FirstStart(real.services(), tiravo::FixedDatabasePath()))
        return 0;
    tiravo::AppContext context(real.services());
    tiravo::TFMenu menu(context);
    if (!menu.Start())
        return 0;
    return QApplication::exec();
}
