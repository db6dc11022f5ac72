#include "draws/IncluirNomes.h"

#include "draws/model/PoolColumns.h"
#include "widgets/HandlerGuard.h"
#include "widgets/WindowLook.h"

namespace tiravo {

TFIncluirNomes::TFIncluirNomes(QWidget* parent, Connection& ADOConnection1, Services services)
    : QDialog(parent), TbNome(ADOConnection1, {.table = QStringLiteral("TbNome"),
                                               .filter = QStringLiteral("Ok=True"),
                                               .sortKey = kNome,
                                               .required = {kNome}}),
      TbNomeLimp(ADOConnection1, {.table = QStringLiteral("TbNome"),
                                  .columns = {"Cod", "Nome", "Ordem", "Ok", "Ativo"},
                                  .filter = QStringLiteral("Ativo=False"),
                                  .sortKey = kNome,
                                  .required = {kNome}}),
      QrySorte(ADOConnection1, {QStringLiteral("Select *"), QStringLiteral("From TbNome"),
                                QStringLiteral("Where Ativo=True and Ok=False"),
                                QStringLiteral("Order by Sorte Desc")}),
      services_(services) {
    setObjectName(QStringLiteral("FIncluirNomes"));
    ApplyWindowLook(this, {.caption = QStringLiteral("Cadastro de Nomes"),
                           .client = QSize(853, 538),
                           .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)});
}

TFIncluirNomes::~TFIncluirNomes() = default;

void TFIncluirNomes::done(int result) {
    QDialog::done(result);
}

} // namespace tiravo
