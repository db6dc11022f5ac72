#include "draws/Apresentacao.h"

#include "platform/AppContext.h"
#include "widgets/ControlKit.h"
#include "widgets/WindowLook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace tiravo {

TFApresentacao::TFApresentacao(QWidget* parent, AppContext& context)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FApresentacao"),
                    {.caption = QStringLiteral("Apresentação"),
                     .client = QSize(380, 150),
                     .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      connection_(context.ADOConnection1) {
    commandsWriteTo(context.ADOConnection1);
    buildControls();
    guarded([this] { showSettings(ReadPresentationSettings(connection_)); });
    CheckSom->setFocus();
}

void TFApresentacao::buildControls() {
    CheckSom = Place(new QCheckBox(QStringLiteral("Som: tambores durante o sorteio e fanfarra "
                                                  "no resultado"),
                                   this),
                     16, 16, 348, 20);
    CheckSom->setObjectName(QStringLiteral("CheckSom"));
    CheckCalmo =
        Place(new QCheckBox(QStringLiteral("Modo calmo: no máximo três trocas por segundo"), this),
              16, 42, 348, 20);
    CheckCalmo->setObjectName(QStringLiteral("CheckCalmo"));
    LabelMonitor = NamedLabel(this, QStringLiteral("LabelMonitor"),
                              QStringLiteral("Monitor da plateia:"), 16, 76);
    ComboMonitor = Place(new QComboBox(this), 130, 72, 234, 22);
    ComboMonitor->setObjectName(QStringLiteral("ComboMonitor"));
    ComboMonitor->addItem(QStringLiteral("Automático"), QString());
    for (const QScreen* screen : QGuiApplication::screens())
        ComboMonitor->addItem(screen->name(), screen->name());

    ButtonOk = Place(NamedButton(this, QStringLiteral("ButtonOk"), QStringLiteral("Ok")), 196, 112,
                     80, 25);
    ButtonCancelar =
        Place(NamedButton(this, QStringLiteral("ButtonCancelar"), QStringLiteral("Cancelar")), 284,
              112, 80, 25);
    wire(ButtonOk, &TFApresentacao::ButtonOkClick);
    connect(ButtonCancelar, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(CheckSom, CheckCalmo);
    setTabOrder(CheckCalmo, ComboMonitor);
    setTabOrder(ComboMonitor, ButtonOk);
    setTabOrder(ButtonOk, ButtonCancelar);
}

void TFApresentacao::showSettings(const PresentationSettings& settings) {
    CheckSom->setChecked(settings.sound);
    CheckCalmo->setChecked(settings.calm);
    int monitor = ComboMonitor->findData(settings.audienceMonitor);
    // A monitor not connected now stays chosen, so that "Ok" for the sound
    // alone does not forget it.
    if (monitor < 0) {
        ComboMonitor->addItem(QStringLiteral("%1 (desconectado)").arg(settings.audienceMonitor),
                              settings.audienceMonitor);
        monitor = ComboMonitor->count() - 1;
    }
    ComboMonitor->setCurrentIndex(monitor);
}

PresentationSettings TFApresentacao::chosen() const {
    return {.sound = CheckSom->isChecked(),
            .calm = CheckCalmo->isChecked(),
            .audienceMonitor = ComboMonitor->currentData().toString()};
}

void TFApresentacao::ButtonOkClick() {
    WritePresentationSettings(connection_, chosen());
    accept();
}

bool TFApresentacao::FormKeyDown(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        focusWidget() != ButtonCancelar) {
        // Through the button, so that a file open for reading only refuses it
        // as it refuses the click.
        ButtonOk->click();
        return true;
    }
    return GuardedWindow::FormKeyDown(event);
}

} // namespace tiravo
