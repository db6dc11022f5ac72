#pragma once

#include "shell/Menu.h"
#include "support/ProgramDatabase.h"
#include "support/TestServices.h"

#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class QAbstractButton;
class QDialog;

namespace tiravo::test {

// A main window over a real database at the program's place, past its login
// with the empty operator list and active.
class LoggedInMenu {
public:
    LoggedInMenu();
    ~LoggedInMenu();

    // Presses `button` of the toolbar and runs `action` on the window it
    // opens; the window is closed afterwards if the action left it open.
    void inWindow(QAbstractButton* button, const std::function<void(QDialog*)>& action);

    // A picture file of the given size and format in the database's folder.
    QString writePicture(const QString& name, QSize size, const char* format = "PNG");
    // A file of any contents in the database's folder.
    QString writeFile(const QString& name, const QByteArray& contents);

    ProgramDatabase db;
    TestServices fakes;
    std::unique_ptr<TFMenu> menu;
};

} // namespace tiravo::test
