#include "Audience.h"

#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "platform/AppContext.h"
#include "platform/Pause.h"
#include "platform/ui/RealServices.h"
#include "shell/Menu.h"
#include "store/SqlStatement.h"
#include "widgets/AudienceScreen.h"
#include "widgets/Resources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>

namespace tiravo {
namespace {

// Each frame painted, none waited for.
class InstantPause final : public Pause {
public:
    void showFor(QWidget* control, int) override {
        if (control)
            control->repaint();
    }
};

void Settle(int milliseconds) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

void PressKey(QWidget* window, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(window, &release);
}

template <class Screen>
void SaveAudience(TFMenu& menu, const PoolDescription& pool, const QString& name,
                  const std::function<void(const QImage&, const QString&)>& write) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        return;
    const QSize size = screens[1]->geometry().size();
    const QString suffix = QStringLiteral("-%1x%2").arg(size.width()).arg(size.height());
    Screen window(&menu, menu.context());
    window.show();
    window.move(screens[0]->geometry().topLeft() + QPoint(20, 20));
    QApplication::setActiveWindow(&window);
    Settle(100);
    PressKey(&window, Qt::Key_F11);
    AudienceScreen* audience = window.audienceScreen();
    if (!audience) {
        std::fprintf(stderr, "%s: no audience screen\n", qPrintable(name));
        return;
    }
    // Two draws, so the winners list has more than one line.
    for (int draw = 0; draw < 2; ++draw)
        PressKey(&window, Qt::Key_PageDown);
    Settle(1500);
    write(audience->grab().toImage(), name + QStringLiteral("-audience") + suffix);

    AddPrize(menu.ADOConnection1, pool, QStringLiteral("Bicicleta aro 29"), 5);
    PressKey(&window, Qt::Key_PageDown);
    Settle(1500);
    write(audience->grab().toImage(), name + QStringLiteral("-audience-plan") + suffix);
    PressKey(&window, Qt::Key_Escape);
}

} // namespace

int RunAudience(const QDir& folder,
                const std::function<void(const QImage&, const QString&)>& write) {
    (void)folder;
    RealServices real;
    InstantPause instant;
    Services services = real.services();
    AppContext context(
        {services.clock, instant, services.dialogs, services.desktop, services.random});
    TFMenu menu(context);
    // The event's background: the program's own picture, put where a chosen
    // one would be.
    QTemporaryDir pictures;
    const QString background = pictures.filePath(QStringLiteral("fundo.jpg"));
    QFile::copy(BuiltInPicturePath(QStringLiteral("background.jpg")), background);
    SqlStatement& set = menu.ADOConnection1.statement("UPDATE TbImage SET TelaFundo = ?");
    set.bind(1, background);
    while (set.step()) {
    }
    set.reset();
    menu.TbImage.close();
    menu.TbImage.open();
    SaveAudience<TFVantaNumero>(menu, NumberPool(), QStringLiteral("TFVantaNumero"), write);
    SaveAudience<TFVantaNome>(menu, NamePool(), QStringLiteral("TFVantaNome"), write);
    SaveAudience<TFVantaFoto>(menu, PhotoPool(), QStringLiteral("TFVantaFoto"), write);
    return 0;
}

} // namespace tiravo
