#include "platform/AppContext.h"

#include "platform/Clock.h"

namespace tiravo {

namespace {

ViewSpec MainImageView() {
    return {.table = QStringLiteral("TbImage"),
            .columns = {"Cod", {"Logo1", 200}, {"Logo2", 200}, {"Logo3", 200}, {"TelaFundo", 200}}};
}

} // namespace

AppContext::AppContext(Services given)
    : ownConnection_(std::make_unique<Connection>()), ADOConnection1(*ownConnection_),
      TbImage(ADOConnection1, MainImageView()),
      TbUsuario(ADOConnection1, {.table = QStringLiteral("Usuario")}), dsUsuario(TbUsuario),
      services(given) {
    useServicesClock();
}

AppContext::AppContext(Connection& connection, Services given)
    : ADOConnection1(connection), TbImage(ADOConnection1, MainImageView()),
      TbUsuario(ADOConnection1, {.table = QStringLiteral("Usuario")}), dsUsuario(TbUsuario),
      services(given) {
    useServicesClock();
}

AppContext::~AppContext() {
    // The connection may outlive the clock.
    ADOConnection1.setClock({});
}

void AppContext::useServicesClock() {
    ADOConnection1.setClock([&clock = services.clock] { return clock.now(); });
}

} // namespace tiravo
