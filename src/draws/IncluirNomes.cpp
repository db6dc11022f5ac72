#include "draws/IncluirNomes.h"

#include "draws/ColunaNomes.h"

#include "draws/model/EntryEdits.h"
#include "draws/model/FreeSlots.h"
#include "draws/model/NameForm.h"
#include "draws/model/NameImport.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/RowDefaults.h"
#include "draws/model/SheetNames.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "store/ChangedElsewhere.h"
#include "store/RowLoop.h"
#include "widgets/ControlKit.h"
#include "widgets/CounterPanel.h"
#include "widgets/DataEdit.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"
#include "widgets/WindowLook.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiravo {

namespace {

const QString kFamily = QStringLiteral("MS Sans Serif");

CounterPanel* Counter(QWidget* parent, const QString& name, const QColor& color, int x, int y) {
    auto* panel = Place(new CounterPanel(parent), x, y, 85, 25);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFont(PixelFont(kFamily, 11, true));
    SetTextColor(panel, color);
    return panel;
}

QPushButton* HandButton(QWidget* parent, const QString& name, const QString& caption, int x, int y,
                        int w) {
    QPushButton* button = Place(NamedButton(parent, name, caption), x, y, w, 25);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

TFIncluirNomes::TFIncluirNomes(QWidget* parent, AppContext& context)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FIncluirNomes"),
                    {.caption = QStringLiteral("Cadastro de Nomes"),
                     .client = QSize(853, 538),
                     .font = PixelFont(kFamily, 11)},
                    {.enterMovesFocus = true}),
      TbNome(context.ADOConnection1, {.table = NamePool().table,
                                      .filter = QStringLiteral("Ok=True"),
                                      .sortKey = kNome,
                                      .required = {kNome}}),
      TbNomeLimp(context.ADOConnection1, {.table = NamePool().table,
                                          .columns = {"Cod", "Nome", "Ordem", "Ok", "Ativo"},
                                          .filter = QStringLiteral("Ativo=False"),
                                          .sortKey = kNome,
                                          .required = {kNome}}),
      QrySorte(context.ADOConnection1, NamePool().winnersSql()), services_(context.services) {
    commandsWriteTo(context.ADOConnection1);
    buildControls();
    TbNomeLimp.beforePost = [this](Dataset& dataset) { TbNomeLimpBeforePost(dataset); };
    // A name changed in place is stored in the form every other one is.
    TbNome.beforePost = StoreNameInItsForm;
    RecordEntryEdits(TbNome);
    guarded([this] { FormCreate(); });
    DBGrid1->setFocus();
}

void TFIncluirNomes::buildControls() {
    DBNavigator1 = Place(new DataNavigator(this, services_.dialogs), 26, 16, 258, 32);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setButtons({NavigatorButton::First, NavigatorButton::Prior, NavigatorButton::Next,
                              NavigatorButton::Last, NavigatorButton::Post,
                              NavigatorButton::Cancel});
    DBNavigator1->setFlat(true);
    DBNavigator1->setCursor(Qt::PointingHandCursor);
    DBNavigator1->setDataset(&TbNome);

    Button3 = HandButton(this, QStringLiteral("Button3"), QStringLiteral("Importar"), 301, 20, 57);
    Button3->setToolTip(QStringLiteral("Importar de Arquivo Texto"));

    Edit1 = Place(new QLineEdit(this), 25, 64, 265, 21);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button1 = HandButton(this, QStringLiteral("Button1"), QStringLiteral("Incluir"), 301, 62, 57);

    DBGrid1 = Place(new DataGrid(this, services_.dialogs), 17, 96, 350, 353);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataset(&TbNome);
    DBGrid1->setColumns({{.field = kNome, .title = kNome, .width = 305}});
    // Nothing is typed in its cells, but Ctrl+Delete still deletes a row.
    DBGrid1->setCellEditing(false);

    Label1 = NamedLabel(this, QStringLiteral("Label1"), QStringLiteral("Nome ( alterar)"), 17, 456);
    DBEdit1 = Place(new DataEdit(this, services_.dialogs), 17, 472, 273, 21);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit1->setField(&TbNome, kNome);
    Button2 = HandButton(this, QStringLiteral("Button2"), QStringLiteral("Remover"), 301, 468, 57);

    Label2 = NamedLabel(this, QStringLiteral("Label2"), QStringLiteral("Sorteados"), 440, 80);
    DBGrid3 = Place(new DataGrid(this, services_.dialogs), 440, 95, 400, 353);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    DBGrid3->setDataset(&QrySorte);
    const QColor winnersBackground(235, 243, 235);
    DBGrid3->setColumns(
        {{.field = kSorte,
          .title = kSorte,
          .width = 50,
          .alignment = Qt::AlignCenter,
          .color = QColor(Qt::blue),
          .background = winnersBackground},
         {.field = kNome, .title = kNome, .width = 310, .background = winnersBackground}});
    QPalette winners = DBGrid3->palette();
    winners.setColor(QPalette::Base, winnersBackground);
    DBGrid3->setPalette(winners);
    DBGrid3->setGridReadOnly(true);

    Button4 = HandButton(this, QStringLiteral("Button4"), QStringLiteral(">>>"), 379, 136, 50);
    Button5 = HandButton(this, QStringLiteral("Button5"), QStringLiteral("<<<"), 379, 272, 50);

    Panel1 = Counter(this, QStringLiteral("Panel1"), QColor(Qt::blue), 16, 504);
    Panel2 = Counter(this, QStringLiteral("Panel2"), QColor(0, 128, 0), 440, 504);

    // Outside the client area: never seen, only kept in step with the free slots.
    DBGrid2 = Place(new DataGrid(this, services_.dialogs), 1280, 88, 342, 385);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setDataset(&TbNomeLimp);
    DBGrid2->setColumns({{.field = kNome, .title = kNome, .width = 298}});
    DBGrid2->setGridReadOnly(true);

    wire(Button1, &TFIncluirNomes::Button1Click);
    wire(Button2, &TFIncluirNomes::Button2Click);
    wire(Button3, &TFIncluirNomes::Button3Click);
    wire(Button4, &TFIncluirNomes::Button4Click);
    wire(Button5, &TFIncluirNomes::Button5Click);
    connect(Edit1, &QLineEdit::textChanged, this, [this] { guarded([this] { Edit1Change(); }); });

    setTabOrder(DBGrid1, DBGrid2);
    setTabOrder(DBGrid2, Edit1);
    setTabOrder(Edit1, Button1);
    setTabOrder(Button1, DBEdit1);
    setTabOrder(DBEdit1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, DBGrid3);
    setTabOrder(DBGrid3, Button4);
    setTabOrder(Button4, Button5);
}

void TFIncluirNomes::reopenPoolAndFreeSlots() {
    TbNome.close();
    TbNomeLimp.close();
    TbNome.open();
    TbNomeLimp.open();
}

void TFIncluirNomes::FormCreate() {
    TbNome.open();
    QrySorte.open();
    TbNomeLimp.open();
    Panel1->setCount(TbNome.recordCount());
    Panel2->setCount(QrySorte.recordCount());
}

void TFIncluirNomes::FormClose() {
    TbNome.close();
    TbNomeLimp.close();
}

void TFIncluirNomes::done(int result) {
    QDialog::done(result);
    guarded([this] { FormClose(); });
}

void TFIncluirNomes::Button1Click() {
    // Tested, stored and found again as it will be stored: a name longer than
    // the column, or spelt with invisible characters, is the name already there.
    const QString name = StoredName(Edit1->text(), TbNome.field(kNome).column().width);
    if (name.isEmpty()) {
        services_.dialogs.notice(QStringLiteral("Qual o nome?"));
        Edit1->setFocus();
        return;
    }
    // The duplicate test and the free slot go by the file as it is, should
    // another copy of the program have changed it.
    ReadAgainIfChangedElsewhere({&TbNome, &TbNomeLimp});
    // Only the available names count: one that is only among the winners is
    // added again.
    if (TbNome.locate(kNome, name)) {
        services_.dialogs.notice(QStringLiteral("Nome já está cadastrado!"));
        return;
    }
    AddAvailableName(TbNome, TbNomeLimp, name, services_.random, NameSource::Typed);
    reopenPoolAndFreeSlots();
    TbNome.locate(kNome, name);
    Edit1->clear();
    Edit1->setFocus();
    Panel1->setCount(TbNome.recordCount());
}

void TFIncluirNomes::TbNomeLimpBeforePost(Dataset& dataset) {
    SetFilledSlotDefaults(dataset, services_.random);
}

void TFIncluirNomes::Button2Click() {
    if (!services_.dialogs.confirm(
            QStringLiteral("Tem certeza que deseja de DELETAR ESTE REGISTRO ?")))
        return;
    if (TbNome.recordCount() > 0)
        MakeNameFreeSlot(TbNome, FreeSlotPlace::Keep);
    reopenPoolAndFreeSlots();
}

void TFIncluirNomes::Button3Click() {
    if (services_.dialogs.confirm(QStringLiteral("Tem certeza que gostaria de IMPORTAR NOMES ?"))) {
        const std::optional<QString> path = services_.dialogs.openFile(
            {.title = QStringLiteral("Selecione Arquivo a importar"),
             .filter = QStringLiteral("Arquivo Texto|*.txt|Planilha|*.csv;*.xlsx"),
             .defaultExtension = QStringLiteral("*.txt")});
        // A spreadsheet of several columns asks which holds the names; the
        // choice cancelled imports nothing, as the dialog cancelled does.
        const std::optional<QStringList> names =
            path ? ReadNamesFromFile(*path,
                                     [this](const SheetColumns& sheet) {
                                         return TFColunaNomes::Choose(this, services_.dialogs,
                                                                      sheet);
                                     })
                 : std::nullopt;
        if (names) {
            const ControlsAside pool(TbNome, {DBGrid1}, {DBNavigator1}, {DBEdit1});
            const ControlsAside freeSlots(TbNomeLimp, {DBGrid2});
            ImportNames(TbNome, TbNomeLimp, *names, services_.random);
        }
    }
    services_.dialogs.information(QStringLiteral("Tarefa Concluida!"));
}

void TFIncluirNomes::Edit1Change() {
    TbNome.locate(kNome, Edit1->text(), {.caseInsensitive = true, .partialKey = true});
}

void TFIncluirNomes::Button4Click() {
    if (TbNome.recordCount() == 0)
        return;
    const QString chosen = TbNome.field(kNome).asString();
    if (!ReadAgainKeepingChosenRow(TbNome, {&QrySorte, &TbNomeLimp})) {
        showCounts();
        services_.dialogs.error(TakenElsewhereMessage(NameEntries(), chosen));
        return;
    }
    RecordWinner(TbNome, QrySorte, WinnerFlag::OkAndPlace, NameEntries(), RecordAction::TakeOut);
    TbNome.close();
    TbNome.open();
    QrySorte.close();
    QrySorte.open();
    Panel1->setCount(TbNome.recordCount());
    Panel2->setCount(QrySorte.recordCount());
}

void TFIncluirNomes::Button5Click() {
    if (QrySorte.recordCount() == 0)
        return;
    const QString chosen = QrySorte.field(kNome).asString();
    // The name goes back only while the file still lists it among the winners.
    if (!ReadAgainKeepingChosenRow(QrySorte, {&TbNome, &TbNomeLimp}) || !ReturnWinner(QrySorte)) {
        TbNome.close();
        TbNome.open();
        QrySorte.close();
        QrySorte.open();
        showCounts();
        services_.dialogs.error(
            QStringLiteral("O nome %1 não está mais entre os sorteados: já foi devolvido ou "
                           "retirado em outro programa. Nada foi gravado.")
                .arg(chosen));
        return;
    }
    TbNome.close();
    TbNome.open();
    showCounts();
}

void TFIncluirNomes::showCounts() {
    Panel1->setCount(TbNome.recordCount());
    Panel2->setCount(QrySorte.recordCount());
}

} // namespace tiravo
