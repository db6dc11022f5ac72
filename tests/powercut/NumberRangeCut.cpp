// "Incluir" in the number editor: a range of 4,000 numbers in one batch, over
// a pool that already holds 1,000, some of them drawn.
#include "PowerCutKinds.h"

#include "draws/IncluirNumero.h"
#include "store/Connection.h"
#include "support/TestServices.h"
#include "widgets/DataGrid.h"

#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace tiravo::powercut {

namespace {

constexpr int kStored = 1000;
constexpr int kDrawn = 10;
constexpr int kFirst = 5001;
constexpr int kLast = 9000;
constexpr int kRange = kLast - kFirst + 1;

class NumberRange final : public PowerCutKind {
public:
    QString name() const override { return QStringLiteral("range of 4,000 numbers"); }

    void prepare(Connection& connection) override {
        connection.execute(
            QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo, Sorte) SELECT x, 'kkkk', x > %2, "
                "x <= %2, CASE WHEN x <= %2 THEN x END FROM n")
                .arg(kStored)
                .arg(kDrawn));
    }

    void work(Connection& connection, TestServices& fake) override {
        TFIncluirNumero editor(nullptr, fake.context(connection));
        editor.RxSpinEdit1->setValue(kFirst);
        editor.RxSpinEdit2->setValue(kLast);
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        // The range is in the grid, and no box said otherwise.
        shownInGrid_ = fake.dialogs.asked().isEmpty() &&
                       editor.DBGrid1->model()->rowCount() == kStored - kDrawn + kRange;
    }

    bool reportedDone() const override { return shownInGrid_; }

    QStringList check(Connection& connection) const override {
        QStringList problems;
        const qint64 before =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Numero <= %1 "
                                               "And Ordem = 'kkkk' And (Ok = 1) = (Numero > %2)")
                                    .arg(kStored)
                                    .arg(kDrawn));
        if (before != kStored)
            problems << QStringLiteral("%1 of the %2 numbers stored before intact")
                            .arg(before)
                            .arg(kStored);
        const qint64 added =
            CountOf(connection,
                    QStringLiteral("Select count(*) From TbNumero Where Numero >= %1").arg(kFirst));
        const qint64 sound =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Numero "
                                               "Between %1 And %2 And Ok = 1 And length(Ordem) = 4")
                                    .arg(kFirst)
                                    .arg(kLast));
        if (added != sound)
            problems
                << QStringLiteral("%1 of the range's %2 rows broken").arg(added - sound).arg(added);
        if (shownInGrid_ && added != kRange)
            problems << QStringLiteral("the grid showed the range, the file holds %1 of its %2 "
                                       "numbers")
                            .arg(added)
                            .arg(kRange);
        else if (added != 0 && added != kRange)
            problems << QStringLiteral("%1 of the range's %2 numbers: half a range")
                            .arg(added)
                            .arg(kRange);
        return problems;
    }

private:
    bool shownInGrid_ = false;
};

} // namespace

std::unique_ptr<PowerCutKind> NumberRangeCut() {
    return std::make_unique<NumberRange>();
}

} // namespace tiravo::powercut
