#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tiravo {

class KeyboardConventions;
class PictureBox;
class TFMenu;

// The login. It cannot be dismissed: it closes after a correct name and
// password, or ends the program through the main window.
class TFUsuario : public QDialog {
    Q_OBJECT
public:
    explicit TFUsuario(TFMenu* menu);

    PictureBox* Image1;
    QLabel* Label1;
    QLineEdit* EditUser;
    QLabel* Label2;
    QLineEdit* EditSenha;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void FormCreate();
    void FormActivate();
    bool FormKeyDown(QKeyEvent* key);
    void BitBtn1Click();
    void BitBtn2Click();

    static constexpr int kAttemptLimit = 4;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void endProgram();

    TFMenu* menu_;
    KeyboardConventions* keys_;
    int presses_ = 0;
    bool leaving_ = false;
};

} // namespace tiravo
