#pragma once

#include "widgets/GuardedWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tiravo {

class AppContext;
class PictureBox;

// The login. It cannot be dismissed: it closes after a correct name and
// password, or ends the program through the main window.
class TFUsuario : public GuardedWindow {
    Q_OBJECT
public:
    // `parent` is the main window, which the login closes to end the program.
    TFUsuario(QWidget* parent, AppContext& context);

    PictureBox* Image1;
    QLabel* Label1;
    QLineEdit* EditUser;
    QLabel* Label2;
    QLineEdit* EditSenha;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void FormCreate();
    void FormActivate() override;
    bool FormKeyDown(QKeyEvent* key) override;
    void BitBtn1Click();
    void BitBtn2Click();

    static constexpr int kAttemptLimit = 4;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void endProgram();

    AppContext& context_;
    int presses_ = 0;
    bool leaving_ = false;
};

} // namespace tiravo
