#pragma once

#include "platform/Services.h"
#include "store/Connection.h"
#include "store/TableView.h"

#include <QString>

#include <functional>
#include <memory>

namespace tiravo {

// What the windows of one run share, made once by the program entry and
// handed to every window: the one connection, the operators' view with its
// data source, the main window's TbImage, the services, and who logged in.
// Windows share nothing else but the database, so no window needs another
// window's header except to open it.
class AppContext {
public:
    // Owns a connection of its own, still closed: the program's.
    explicit AppContext(Services given);
    // Over a connection that someone else owns and keeps open for longer:
    // a test's file, a benchmark's.
    AppContext(Connection& connection, Services given);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

private:
    // The record of draws takes its times from the program's clock.
    void useServicesClock();

    std::unique_ptr<Connection> ownConnection_;

public:
    Connection& ADOConnection1;
    TableView TbImage;
    TableView TbUsuario;
    Dataset& dsUsuario; // the data source the login and administration windows use
    Services services;

    // The operator of the last successful login; empty before it, and when
    // the file lists no operators and the login took the empty name.
    QString operatorName;
    // Shows a background picture file in the main window at once (an empty
    // path: the built-in one). The main window installs it; until then it
    // does nothing.
    std::function<void(const QString& path)> showBackground = [](const QString&) {};
};

} // namespace tiravo
