// Renders every window of the program over the database at the program's
// fixed place into PNG files, so the windows can be looked at without a
// display. scripts/screenshots prepares a demo database and runs this.
#include "branding/Korvane.h"
#include "branding/Parceiros.h"
#include "draws/IncluirNumero.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "platform/ui/RealServices.h"
#include "shell/Acesso.h"
#include "shell/Menu.h"
#include "shell/Usuario.h"
#include "widgets/ControlKit.h"
#include "widgets/PictureBox.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace tiravo {
namespace {

void Show(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void Write(const QImage& picture, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    if (!picture.save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

void Save(QWidget* window, const QDir& folder, const QString& name) {
    Show(window);
    Write(window->grab().toImage(), folder, name);
}

// The partners window with pictures in its previews (built-in ones, so that
// nothing is stored), alone and over the main window as the operator sees it.
void SavePartners(TFMenu& menu, const QDir& folder) {
    TFParceiros window(&menu);
    Show(&window);
    ShowBuiltIn(window.ImageLog1, QStringLiteral("maker-logo.png"));
    ShowBuiltIn(window.ImageLog2, QStringLiteral("teaser.png"));
    ShowBuiltIn(window.ImageLog3, QStringLiteral("login.png"));
    ShowBuiltIn(window.ImageTelaFundo, QStringLiteral("background.jpg"));
    const QImage partners = window.grab().toImage();
    Write(partners, folder, QStringLiteral("TFParceiros"));
    QImage behind = menu.grab().toImage();
    QPainter painter(&behind);
    // In the middle, as on a screen the size of the main window.
    painter.drawImage(behind.rect().center() - partners.rect().center(), partners);
    painter.end();
    Write(behind, folder, QStringLiteral("TFParceiros-over-TFMenu"));
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
    SavePartners(menu, folder);
    {
        TFKorvane window(&menu, real.services());
        Save(&window, folder, QStringLiteral("TFKorvane"));
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
    if (argc != 2) {
        std::fprintf(stderr, "usage: tiravo-screenshots FOLDER\n");
        return 2;
    }
    tiravo::InstallFontSubstitutes();
    tiravo::InitResources();
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make the folder %s\n", argv[1]);
        return 1;
    }
    return tiravo::Run(folder);
}
