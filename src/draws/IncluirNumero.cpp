#include "draws/IncluirNumero.h"

#include "draws/model/EntryEdits.h"
#include "draws/model/NumberRange.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolKeys.h"
#include "draws/model/RowDefaults.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "widgets/ControlKit.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"
#include "widgets/WindowLook.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <limits>

namespace tiravo {

namespace {

QSpinBox* RangeSpinBox(QWidget* parent, const QString& name) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    // No limits of its own: any 32-bit number can start or end a range.
    box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    box->setSingleStep(1);
    box->setValue(0);
    box->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 16));
    return box;
}

} // namespace

TFIncluirNumero::TFIncluirNumero(QWidget* parent, AppContext& context)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FIncluirNumero"),
                    {.caption = QStringLiteral("Cadastro de Números"),
                     .client = QSize(359, 516),
                     .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      TbNumero(context.ADOConnection1, {.table = QStringLiteral("TbNumero"),
                                        .columns = {"Cod", "Numero", "Ordem", "Ok"},
                                        .filter = kAvailableFilter,
                                        .required = {QStringLiteral("Numero")}}),
      services_(context.services) {
    commandsWriteTo(context.ADOConnection1);
    buildControls();
    TbNumero.afterInsert = [this](Dataset& dataset) { TbNumeroAfterInsert(dataset); };
    RecordEntryEdits(TbNumero);
    guarded([this] { FormCreate(); });
}

void TFIncluirNumero::buildControls() {
    DBNavigator1 = Place(new DataNavigator(this, services_.dialogs), 33, 16, 287, 32);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setButtons({NavigatorButton::First, NavigatorButton::Prior, NavigatorButton::Next,
                              NavigatorButton::Last, NavigatorButton::Insert, NavigatorButton::Post,
                              NavigatorButton::Cancel});
    DBNavigator1->setHints({{NavigatorButton::First, QStringLiteral("First record")},
                            {NavigatorButton::Prior, QStringLiteral("Prior record")},
                            {NavigatorButton::Next, QStringLiteral("Next record")},
                            {NavigatorButton::Last, QStringLiteral("Last record")},
                            {NavigatorButton::Insert, QStringLiteral("Insert record")},
                            {NavigatorButton::Post, QStringLiteral("Post edit")},
                            {NavigatorButton::Cancel, QStringLiteral("Cancel edit")}});
    DBNavigator1->setFlat(true);
    DBNavigator1->setCursor(Qt::PointingHandCursor);
    DBNavigator1->setDataset(&TbNumero);

    DBGrid1 = Place(new DataGrid(this, services_.dialogs), 32, 56, 289, 372);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setFont(PixelFont(QStringLiteral("MS Sans Serif"), 16));
    DBGrid1->setDataset(&TbNumero);
    DBGrid1->setColumns({{.field = QStringLiteral("Numero"),
                          .title = QStringLiteral("Numero"),
                          .width = 243,
                          .alignment = Qt::AlignCenter}});

    Label1 = new QLabel(QStringLiteral("Inicio"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(32, 456);
    Label1->adjustSize();
    Label2 = new QLabel(QStringLiteral("Final"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(152, 456);
    Label2->adjustSize();

    RxSpinEdit1 = Place(RangeSpinBox(this, QStringLiteral("RxSpinEdit1")), 32, 472, 110, 28);
    RxSpinEdit2 = Place(RangeSpinBox(this, QStringLiteral("RxSpinEdit2")), 152, 472, 110, 28);

    Button1 = Place(NamedButton(this, QStringLiteral("Button1"), QStringLiteral("Incluir")), 272,
                    472, 49, 25);
    Button1->setCursor(Qt::PointingHandCursor);
    wire(Button1, &TFIncluirNumero::Button1Click);
    Button2 = Place(NamedButton(this, QStringLiteral("Button2"), QStringLiteral("Button2")), 488,
                    488, 75, 25);
    wire(Button2, &TFIncluirNumero::Button2Click);

    setTabOrder(DBGrid1, DBNavigator1);
    setTabOrder(DBNavigator1, RxSpinEdit1);
    setTabOrder(RxSpinEdit1, RxSpinEdit2);
    setTabOrder(RxSpinEdit2, Button1);
    setTabOrder(Button1, Button2);
}

void TFIncluirNumero::FormCreate() {
    TbNumero.open();
}

void TFIncluirNumero::done(int result) {
    QDialog::done(result);
    // A row begun and never stored goes with the window.
    TbNumero.cancel();
}

void TFIncluirNumero::TbNumeroAfterInsert(Dataset& dataset) {
    SetNewNumberDefaults(dataset, services_.random);
}

void TFIncluirNumero::Button1Click() {
    RxSpinEdit1->interpretText();
    RxSpinEdit2->interpretText();
    const int first = RxSpinEdit1->value();
    const int last = RxSpinEdit2->value();
    if (last <= first) {
        services_.dialogs.notice(QStringLiteral("Valor Final menor ou igual ao valor inicial!"));
        return;
    }
    // A second press of "Incluir" would give every number a second chance.
    if (const std::int64_t there = AvailableNumbersBetween(TbNumero.connection(), first, last);
        there > 0 &&
        !services_.dialogs.confirmDefaultNo(
            QStringLiteral("Já existem %1 destes números na lista. Incluir assim mesmo?")
                .arg(there)))
        return;
    const ControlsAside aside(TbNumero, {DBGrid1}, {DBNavigator1});
    InsertNumberRange(TbNumero, first, last, services_.random);
}

void TFIncluirNumero::Button2Click() {
    if (TbNumero.recordCount() == 0)
        return;
    const ControlsAside aside(TbNumero, {DBGrid1}, {DBNavigator1});
    RenewOrderKeys(TbNumero, services_.random);
}

} // namespace tiravo
