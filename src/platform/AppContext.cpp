#include "platform/AppContext.h"

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
      services(given) {}

AppContext::AppContext(Connection& connection, Services given)
    : ADOConnection1(connection), TbImage(ADOConnection1, MainImageView()),
      TbUsuario(ADOConnection1, {.table = QStringLiteral("Usuario")}), dsUsuario(TbUsuario),
      services(given) {}

AppContext::~AppContext() = default;

} // namespace tiravo
