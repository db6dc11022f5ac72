#include "draws/Premios.h"

#include "common/Error.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizeSheet.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "platform/Documents.h"
#include "platform/OutputFile.h"
#include "widgets/ControlKit.h"
#include "widgets/WindowLook.h"

#include <QFileDevice>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextStream>
#include <QTreeWidget>

namespace tiravo {

namespace {

enum PrizeColumn { Places, Description, Quantity };

QPushButton* PlanButton(TFPremios* window, const QString& name, const QString& caption, int x,
                        int y) {
    QPushButton* button = Place(NamedButton(window, name, caption), x, y, 90, 25);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

TFPremios::TFPremios(QWidget* parent, AppContext& context, const PoolDescription& pool)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FPremios"),
                    {.caption = QStringLiteral("Prêmios"),
                     .client = QSize(560, 420),
                     .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      connection_(context.ADOConnection1), pool_(pool), services_(context.services) {
    commandsWriteTo(context.ADOConnection1);
    buildControls();
    guarded([this] { showPlan(); });
}

void TFPremios::buildControls() {
    ListaPremios = Place(new QTreeWidget(this), 16, 16, 424, 300);
    ListaPremios->setObjectName(QStringLiteral("ListaPremios"));
    ListaPremios->setRootIsDecorated(false);
    ListaPremios->setUniformRowHeights(true);
    ListaPremios->setAllColumnsShowFocus(true);
    ListaPremios->setSelectionMode(QAbstractItemView::SingleSelection);
    ListaPremios->setHeaderLabels(
        {QStringLiteral("Colocação"), QStringLiteral("Prêmio"), QStringLiteral("Qtd.")});
    // The description takes what the places and the quantity leave.
    QHeaderView* header = ListaPremios->header();
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(Places, QHeaderView::Fixed);
    header->setSectionResizeMode(Description, QHeaderView::Stretch);
    header->setSectionResizeMode(Quantity, QHeaderView::Fixed);
    header->resizeSection(Places, 96);
    header->resizeSection(Quantity, 56);
    ListaPremios->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(ListaPremios, &QTreeWidget::currentItemChanged, this,
            [this] { guarded([this] { selectionChanged(); }); });

    LabelDescricao =
        NamedLabel(this, QStringLiteral("LabelDescricao"), QStringLiteral("Descrição"), 16, 328);
    EditDescricao = Place(new QLineEdit(this), 16, 344, 300, 24);
    EditDescricao->setObjectName(QStringLiteral("EditDescricao"));
    EditDescricao->setMaxLength(kPrizeDescriptionWidth);
    LabelQuantidade =
        NamedLabel(this, QStringLiteral("LabelQuantidade"), QStringLiteral("Quantidade"), 328, 328);
    SpinQuantidade = Place(new QSpinBox(this), 328, 344, 112, 24);
    SpinQuantidade->setObjectName(QStringLiteral("SpinQuantidade"));
    SpinQuantidade->setRange(1, kMostOfOnePrize);
    SpinQuantidade->setValue(1);

    ButtonIncluir =
        PlanButton(this, QStringLiteral("ButtonIncluir"), QStringLiteral("Incluir"), 456, 16);
    ButtonAlterar =
        PlanButton(this, QStringLiteral("ButtonAlterar"), QStringLiteral("Alterar"), 456, 48);
    ButtonRemover =
        PlanButton(this, QStringLiteral("ButtonRemover"), QStringLiteral("Remover"), 456, 80);
    ButtonSubir =
        PlanButton(this, QStringLiteral("ButtonSubir"), QStringLiteral("Subir"), 456, 128);
    ButtonDescer =
        PlanButton(this, QStringLiteral("ButtonDescer"), QStringLiteral("Descer"), 456, 160);
    ButtonImportar =
        PlanButton(this, QStringLiteral("ButtonImportar"), QStringLiteral("Importar..."), 456, 208);
    ButtonExportar =
        PlanButton(this, QStringLiteral("ButtonExportar"), QStringLiteral("Exportar..."), 456, 240);
    ButtonFechar =
        PlanButton(this, QStringLiteral("ButtonFechar"), QStringLiteral("Fechar"), 456, 380);
    wire(ButtonIncluir, &TFPremios::ButtonIncluirClick);
    wire(ButtonAlterar, &TFPremios::ButtonAlterarClick);
    wire(ButtonRemover, &TFPremios::ButtonRemoverClick);
    wire(ButtonSubir, &TFPremios::ButtonSubirClick);
    wire(ButtonDescer, &TFPremios::ButtonDescerClick);
    wire(ButtonImportar, &TFPremios::ButtonImportarClick);
    // Saving the plan elsewhere changes nothing of the file.
    wireLooking(ButtonExportar, [this] { ButtonExportarClick(); });
    // Closing changes nothing, so it works on a file open for reading only.
    wireLooking(ButtonFechar, [this] { reject(); });

    setTabOrder(ListaPremios, EditDescricao);
    setTabOrder(EditDescricao, SpinQuantidade);
    setTabOrder(SpinQuantidade, ButtonIncluir);
    setTabOrder(ButtonIncluir, ButtonAlterar);
    setTabOrder(ButtonAlterar, ButtonRemover);
    setTabOrder(ButtonRemover, ButtonSubir);
    setTabOrder(ButtonSubir, ButtonDescer);
    setTabOrder(ButtonDescer, ButtonImportar);
    setTabOrder(ButtonImportar, ButtonExportar);
    setTabOrder(ButtonExportar, ButtonFechar);
}

void TFPremios::showPlan(std::int64_t cod) {
    plan_ = ReadPrizePlan(connection_, pool_);
    const QSignalBlocker quiet(ListaPremios);
    ListaPremios->clear();
    QTreeWidgetItem* current = nullptr;
    for (const Prize& prize : plan_.prizes) {
        auto* item = new QTreeWidgetItem(
            ListaPremios, {PlacesText(prize), prize.description, QString::number(prize.quantity)});
        item->setTextAlignment(Quantity, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(Places, Qt::UserRole, QVariant::fromValue<qlonglong>(prize.cod));
        if (prize.cod == cod)
            current = item;
    }
    if (current)
        ListaPremios->setCurrentItem(current);
}

const Prize& TFPremios::selected() const {
    const int row = ListaPremios->currentItem()
                        ? ListaPremios->indexOfTopLevelItem(ListaPremios->currentItem())
                        : -1;
    if (row < 0 || row >= int(plan_.prizes.size()))
        throw Error(QStringLiteral("Selecione um prêmio da lista."));
    return plan_.prizes[std::size_t(row)];
}

void TFPremios::selectionChanged() {
    if (!ListaPremios->currentItem())
        return;
    const Prize& prize = selected();
    EditDescricao->setText(prize.description);
    SpinQuantidade->setValue(prize.quantity);
}

void TFPremios::ButtonIncluirClick() {
    SpinQuantidade->interpretText();
    try {
        AddPrize(connection_, pool_, EditDescricao->text(), SpinQuantidade->value());
    } catch (...) {
        showPlan(); // another copy may have changed the plan meanwhile
        throw;
    }
    showPlan();
    if (!plan_.empty())
        ListaPremios->setCurrentItem(
            ListaPremios->topLevelItem(ListaPremios->topLevelItemCount() - 1));
}

void TFPremios::ButtonAlterarClick() {
    SpinQuantidade->interpretText();
    const std::int64_t cod = selected().cod;
    try {
        ChangePrize(connection_, pool_, cod, EditDescricao->text(), SpinQuantidade->value());
    } catch (...) {
        showPlan(cod);
        throw;
    }
    showPlan(cod);
}

void TFPremios::ButtonRemoverClick() {
    const Prize prize = selected();
    if (!services_.dialogs.confirm(
            QStringLiteral("Remover o prêmio \"%1\" do plano?").arg(prize.description)))
        return;
    try {
        RemovePrize(connection_, pool_, prize.cod);
    } catch (...) {
        showPlan();
        throw;
    }
    showPlan();
    EditDescricao->clear();
    SpinQuantidade->setValue(1);
}

void TFPremios::ButtonSubirClick() {
    move(-1);
}

void TFPremios::ButtonDescerClick() {
    move(+1);
}

void TFPremios::move(int offset) {
    const std::int64_t cod = selected().cod;
    try {
        MovePrize(connection_, pool_, cod, offset);
    } catch (...) {
        showPlan(cod);
        throw;
    }
    showPlan(cod);
}

void TFPremios::ButtonImportarClick() {
    const std::optional<QString> path =
        services_.dialogs.openFile({.title = QStringLiteral("Importar prêmios"),
                                    .filter = QStringLiteral("Planilha CSV|*.csv"),
                                    .defaultExtension = QStringLiteral("csv"),
                                    .start = DocumentsFolder()});
    if (!path)
        return;
    // The whole file is checked before the plan is touched.
    const std::vector<PlannedPrize> prizes = ReadPrizeCsv(*path, MessageLanguage::Portuguese);
    int places = 0;
    for (const PlannedPrize& prize : prizes)
        places += prize.quantity;
    if (!plan_.empty() &&
        !services_.dialogs.confirm(
            QStringLiteral("Substituir o plano de prêmios atual pelos %1 prêmios (%2 lugares) do "
                           "arquivo?")
                .arg(prizes.size())
                .arg(places)))
        return;
    try {
        ReplacePrizePlan(connection_, pool_, prizes);
    } catch (...) {
        showPlan();
        throw;
    }
    showPlan();
    EditDescricao->clear();
    SpinQuantidade->setValue(1);
}

void TFPremios::ButtonExportarClick() {
    const std::optional<QString> path = services_.dialogs.saveFile(
        {.title = QStringLiteral("Exportar prêmios"),
         .filter = QStringLiteral("Planilha CSV|*.csv"),
         .defaultExtension = QStringLiteral("csv"),
         .start = InDocuments(QStringLiteral("premios-%1.csv").arg(pool_.name))});
    if (!path)
        return;
    // What the file holds now, which another copy may have changed.
    showPlan();
    WriteOutputFile({*path, DatabaseFileOf(connection_), MessageLanguage::Portuguese},
                    [&](QFileDevice& file) {
                        QTextStream out(&file);
                        WritePrizePlanCsv(plan_, out);
                        out.flush();
                    });
    services_.dialogs.information(SavedFileText(*path));
}

} // namespace tiravo
