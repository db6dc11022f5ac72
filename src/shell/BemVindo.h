#pragma once

#include "platform/Services.h"
#include "widgets/GuardedWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tiravo {

// The first start on a computer, before the login: with no database file
// yet, it makes one, either empty with a first operator of the user's own or
// the demonstration's. Closing it makes nothing.
class TFBemVindo : public GuardedWindow {
    Q_OBJECT
public:
    // `path`: where the database file goes.
    TFBemVindo(QWidget* parent, Services services, QString path);

    QLabel* Label1; // the heading
    QLabel* Label2;
    QLabel* Label3;
    QLineEdit* EditNome;
    QLabel* Label4;
    QLineEdit* EditSenha;
    QLabel* Label5;
    QLineEdit* EditSenha2;
    QPushButton* BitBtn1; // creates the file with the operator typed
    QLabel* Label6;
    QPushButton* BitBtn2; // creates the demonstration file
    QLabel* Label7;       // where the file goes

    void BitBtn1Click();
    void BitBtn2Click();

private:
    // Builds the file, or finds one that another copy of the program made
    // meanwhile; either way the window closes, accepted, for the login.
    void makeFile(const std::function<void()>& build);

    Services services_;
    QString path_;
};

// Before the login: where no database file is at `path`, not even something
// that merely cannot be opened, the welcome window makes one. Answers whether
// the program goes on, that is, whether a file is there now.
bool FirstStart(Services services, const QString& path);

} // namespace tiravo
