// Renders every window of the program over the database at the program's
// fixed place into PNG files, so the windows can be looked at without a
// display. scripts/screenshots prepares a demo database and runs this.
#include "draws/IncluirNumero.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "platform/ui/RealServices.h"
#include "shell/Acesso.h"
#include "shell/Menu.h"
#include "shell/Usuario.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace tiravo {
namespace {

// With --width, pictures wider than it are scaled down to it (for the README).
int gMaxWidth = 0;

void Save(QWidget* window, const QDir& folder, const QString& name) {
    window->show();
    QApplication::setActiveWindow(window);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    QImage picture = window->grab().toImage();
    // The small copies go into the repository: 256 colours, dithered, keep
    // them at a third of their size and look the same at that width.
    if (gMaxWidth > 0 && picture.width() > gMaxWidth)
        picture =
            picture.scaledToWidth(gMaxWidth, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither | Qt::PreferDither);
    if (!picture.save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

int Run(const QDir& folder) {
    RealServices real;
    TFMenu menu(real.services());
    {
        TFUsuario login(&menu);
        Save(&login, folder, QStringLiteral("TFUsuario"));
    }
    menu.resize(1280, 800);
    Save(&menu, folder, QStringLiteral("TFMenu"));
    menu.TbUsuario.open();
    {
        TFAcesso window(&menu);
        Save(&window, folder, QStringLiteral("TFAcesso"));
    }
    {
        TFVantaNumero window(&menu, menu.ADOConnection1, real.services());
        Save(&window, folder, QStringLiteral("TFVantaNumero"));
    }
    {
        TFIncluirNumero window(&menu, menu.ADOConnection1, real.services());
        Save(&window, folder, QStringLiteral("TFIncluirNumero"));
    }
    {
        TFVantaNome window(&menu, menu.ADOConnection1, real.services());
        Save(&window, folder, QStringLiteral("TFVantaNome"));
    }
    return 0;
}

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tiravo"));
    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() == 3 && arguments[0] == QStringLiteral("--width")) {
        tiravo::gMaxWidth = arguments[1].toInt();
        arguments = arguments.mid(2);
    }
    if (arguments.size() != 1 || tiravo::gMaxWidth < 0) {
        std::fprintf(stderr, "usage: tiravo-screenshots [--width PIXELS] FOLDER\n");
        return 2;
    }
    tiravo::InstallFontSubstitutes();
    tiravo::InitResources();
    QDir folder(arguments[0]);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make the folder %s\n", qPrintable(arguments[0]));
        return 1;
    }
    return tiravo::Run(folder);
}
