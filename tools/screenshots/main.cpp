// Renders every window of the program over the database at the program's
// fixed place into PNG files, so the windows can be looked at without a
// display. scripts/screenshots prepares a demo database and runs this.
#include "Audience.h"
#include "branding/Korvane.h"
#include "branding/Parceiros.h"
#include "draws/Apresentacao.h"
#include "draws/ColunaNomes.h"
#include "draws/IncluirFoto.h"
#include "draws/IncluirNomes.h"
#include "draws/IncluirNumero.h"
#include "draws/Premios.h"
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "platform/AppContext.h"
#include "platform/Pictures.h"
#include "platform/ui/RealServices.h"
#include "shell/Acesso.h"
#include "shell/BemVindo.h"
#include "shell/Menu.h"
#include "shell/Usuario.h"
#include "store/ConnectionText.h"
#include "store/TableView.h"
#include "store/WriteScope.h"
#include "widgets/ControlKit.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/PictureBox.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>
#include <functional>

namespace tiravo {
namespace {

// With --width, pictures wider than it are scaled down to it (for the README).
int gMaxWidth = 0;

void Show(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void Write(QImage picture, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name + QStringLiteral(".png"));
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

// The photo screen as it looks after a few draws, the pool's photos shown in
// the big picture and the column, without a draw stored in the database.
void ShowPhotosAsAfterDraws(TFVantaFoto& window) {
    QStringList photos;
    for (window.TbFoto.first(); !window.TbFoto.eof(); window.TbFoto.next())
        photos << window.TbFoto.field(QStringLiteral("Foto")).asString();
    PictureBox* column[] = {window.Img1, window.Img2, window.Img3, window.Img4};
    for (int i = 0; i < 4 && i < photos.size(); ++i)
        column[i]->setPicture(LoadPictureToFit(photos[i], column[i]->size()), photos[i]);
    if (!photos.isEmpty())
        window.Image1->setPicture(LoadPictureToFit(photos[0], window.Image1->size()), photos[0]);
}

void Save(QWidget* window, const QDir& folder, const QString& name) {
    Show(window);
    Write(window->grab().toImage(), folder, name);
}

// The partners window with pictures in its previews (built-in ones, so that
// nothing is stored), alone and over the main window as the operator sees it.
void SavePartners(TFMenu& menu, const QDir& folder) {
    TFParceiros window(&menu, menu.context());
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

// Each draw screen full screen on every screen of at least 1920 x 1080, as a
// projector shows it; the screens are the platform's (scripts/screenshots
// gives the offscreen platform a 1920 x 1080 and a 3840 x 2160 one).
template <class Screen>
void SaveFullScreen(TFMenu& menu, const QDir& folder, const QString& name,
                    const std::function<void(Screen&)>& prepare = {}) {
    for (QScreen* screen : QGuiApplication::screens()) {
        const QSize size = screen->geometry().size();
        if (size.width() < 1920 || size.height() < 1080)
            continue;
        Screen window(&menu, menu.context());
        Show(&window);
        window.move(screen->geometry().topLeft() + QPoint(40, 40));
        if (prepare)
            prepare(window);
        window.fullScreen->enter();
        // The pictures read from files are decoded anew for their scaled boxes.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 1500)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        Write(window.grab().toImage(), folder,
              QStringLiteral("%1-full-%2x%3").arg(name).arg(size.width()).arg(size.height()));
    }
}

int RunFullScreen(const QDir& folder) {
    RealServices real;
    AppContext context(real.services());
    TFMenu menu(context);
    SaveFullScreen<TFVantaNumero>(menu, folder, QStringLiteral("TFVantaNumero"));
    SaveFullScreen<TFVantaNome>(menu, folder, QStringLiteral("TFVantaNome"));
    SaveFullScreen<TFVantaFoto>(menu, folder, QStringLiteral("TFVantaFoto-winners"),
                                [](TFVantaFoto& window) { ShowPhotosAsAfterDraws(window); });
    return 0;
}

int Run(const QDir& folder) {
    RealServices real;
    {
        // As a new computer shows it, before there is a file; nothing is made.
        TFBemVindo welcome(nullptr, real.services(), FixedDatabasePath());
        Save(&welcome, folder, QStringLiteral("TFBemVindo"));
    }
    AppContext context(real.services());
    TFMenu menu(context);
    {
        TFUsuario login(&menu, menu.context());
        Save(&login, folder, QStringLiteral("TFUsuario"));
    }
    menu.resize(1280, 800);
    Save(&menu, folder, QStringLiteral("TFMenu"));
    menu.TbUsuario.open();
    {
        TFAcesso window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFAcesso"));
    }
    {
        TFVantaNumero window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFVantaNumero"));
    }
    {
        TFIncluirNumero window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFIncluirNumero"));
    }
    {
        TFVantaNome window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFVantaNome"));
    }
    {
        TFIncluirNomes window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFIncluirNomes"));
        // The column window of "Importar" over a parish's list of families.
        SheetRows families;
        const QList<QStringList> rows = {
            {"Família", "Telefone", "Nome", "Comunidade"},
            {"Silva", "(11) 91234-5678", "João Conceição da Silva", "São José"},
            {"Souza", "(11) 99876-5432", "Maria das Graças Souza", "Santa Rita"},
            {"Lima", "", "Antônio Carlos Lima", "São José"},
            {"Oliveira", "(11) 3333-4444", "Ana Paula Oliveira", "Nossa Senhora Aparecida"},
            {"Pereira", "(11) 95555-0000", "José Pereira Neto", "Santa Rita"},
            {"Costa", "(11) 97777-1212", "Francisca Costa", "São José"},
            {"Almeida", "(11) 98888-3434", "Raimundo Almeida", "Santa Rita"},
            {"Ribeiro", "(11) 96666-5656", "Luzia Ribeiro", "São José"}};
        for (const QStringList& row : rows) {
            for (const QString& cell : row)
                families.append(cell);
            families.endRow();
        }
        const SheetColumns sheet = ExamineSheet(families);
        TFColunaNomes columns(&window, menu.context().services.dialogs, sheet);
        Save(&columns, folder, QStringLiteral("TFColunaNomes"));
    }
    {
        TFVantaFoto window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFVantaFoto"));
        ShowPhotosAsAfterDraws(window);
        Save(&window, folder, QStringLiteral("TFVantaFoto-winners"));
    }
    {
        // The photo editor opens on the current folder: that of the pool's photos.
        TableView photos(menu.ADOConnection1, {.table = QStringLiteral("TbFoto")});
        photos.open();
        if (photos.recordCount() > 0)
            QDir::setCurrent(QFileInfo(photos.field(QStringLiteral("Foto")).asString()).path());
        TFIncluirFoto window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFIncluirFoto"));
    }
    SavePartners(menu, folder);
    {
        TFKorvane window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFKorvane"));
    }
    {
        // A plan made for the picture only: the transaction is rolled back.
        WriteScope sample(menu.ADOConnection1, WriteScope::Keeps::AllOrNothing);
        for (const auto& [description, quantity] : {std::pair{"Carro 0 km", 1},
                                                    {"Bicicleta aro 29", 3},
                                                    {"Televisor 50 polegadas", 2},
                                                    {"Vale-compras de R$ 200", 10}})
            AddPrize(menu.ADOConnection1, NamePool(), QString::fromUtf8(description), quantity);
        TFPremios window(&menu, menu.context(), NamePool());
        window.ListaPremios->setCurrentItem(window.ListaPremios->topLevelItem(1));
        Save(&window, folder, QStringLiteral("TFPremios"));
        sample.rollback();
    }
    {
        TFApresentacao window(&menu, menu.context());
        Save(&window, folder, QStringLiteral("TFApresentacao"));
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
    if (arguments.size() >= 3 && arguments[0] == QStringLiteral("--width")) {
        tiravo::gMaxWidth = arguments[1].toInt();
        arguments = arguments.mid(2);
    }
    const bool fullScreen = !arguments.isEmpty() && arguments[0] == QStringLiteral("--full-screen");
    const bool audience = !arguments.isEmpty() && arguments[0] == QStringLiteral("--audience");
    if (fullScreen || audience)
        arguments = arguments.mid(1);
    if (arguments.size() != 1 || tiravo::gMaxWidth < 0) {
        std::fprintf(stderr, "usage: tiravo-screenshots [--width PIXELS] [--full-screen | "
                             "--audience] FOLDER\n");
        return 2;
    }
    tiravo::InstallFontSubstitutes();
    tiravo::InitResources();
    QDir folder(arguments[0]);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make the folder %s\n", qPrintable(arguments[0]));
        return 1;
    }
    if (audience)
        return tiravo::RunAudience(folder, [&folder](const QImage& picture, const QString& name) {
            tiravo::Write(picture, folder, name);
        });
    return fullScreen ? tiravo::RunFullScreen(folder) : tiravo::Run(folder);
}
