#pragma once

#include "draws/model/PresentationSettings.h"
#include "widgets/GuardedWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace tiravo {

class AppContext;
class Connection;

// "Apresentação": how the draws are shown, for the whole program: the sound,
// the calm mode and the audience's monitor. Opens on the settings the file
// holds; "Ok" (or Enter, wherever the focus is but on "Cancelar") stores the
// ones chosen, recorded when they changed; "Cancelar" or Esc keeps them.
class TFApresentacao : public GuardedWindow {
    Q_OBJECT
public:
    TFApresentacao(QWidget* parent, AppContext& context);

    QCheckBox* CheckSom;
    QCheckBox* CheckCalmo;
    QLabel* LabelMonitor;
    QComboBox* ComboMonitor; // "Automático", then each monitor by its name
    QPushButton* ButtonOk;
    QPushButton* ButtonCancelar;

    void ButtonOkClick();
    // The settings as the controls show them.
    PresentationSettings chosen() const;

    bool FormKeyDown(QKeyEvent* event) override;

private:
    void buildControls();
    void showSettings(const PresentationSettings& settings);

    Connection& connection_;
};

} // namespace tiravo
