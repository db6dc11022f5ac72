// "Importar" in the name editor: 3,000 names from a text file, 200 of them
// already in the pool, the first 50 new ones into free slots, in one batch.
#include "PowerCutKinds.h"

#include "draws/IncluirNomes.h"
#include "store/Connection.h"
#include "support/TestServices.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace tiravo::powercut {

namespace {

constexpr int kStored = 2000;
constexpr int kFreeSlots = 50;
constexpr int kDrawn = 5;
constexpr int kInFile = 3000;
constexpr int kAlreadyThere = 200;
constexpr int kNew = kInFile - kAlreadyThere;

QString NameOf(int n) {
    return QStringLiteral("Nome %1").arg(n, 5, 10, QLatin1Char('0'));
}

class NameImport final : public PowerCutKind {
public:
    QString name() const override { return QStringLiteral("import of 3,000 names"); }

    void prepare(Connection& connection) override {
        // Available names 1 to 2000 (the last five drawn), then the free slots.
        connection.execute(
            QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                "INSERT INTO TbNome (Nome, Ordem, Ok, Ativo, Sorte) SELECT printf('Nome %05d', x), "
                "'kkkk', x <= %2, 1, CASE WHEN x > %2 THEN x - %2 END FROM n")
                .arg(kStored)
                .arg(kStored - kDrawn));
        connection.execute(
            QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                "INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) SELECT 'livre', 'kkkk', NULL, 0 FROM "
                "n")
                .arg(kFreeSlots));
        connection.execute(QStringLiteral("UPDATE TbNome SET Nome = Cod WHERE Nome = 'livre'"));
    }

    void work(Connection& connection, TestServices& fake) override {
        // The file: names 1801 to 4800, of which 1801 to 1995 are available
        // and 1996 to 2000 drawn; a drawn name is not in the pool view and
        // comes in again.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("nomes.txt"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        for (int n = kStored - kAlreadyThere + 1; n <= kStored - kAlreadyThere + kInFile; ++n)
            file.write(NameOf(n).toLatin1() + "\r\n");
        file.close();

        TFIncluirNomes editor(nullptr, fake.context(connection));
        fake.dialogs.answerYes();
        fake.dialogs.answerPath(path);
        QTest::mouseClick(editor.Button3, Qt::LeftButton);
        const QStringList told = fake.dialogs.texts(DialogKind::Information);
        finished_ = fake.dialogs.texts(DialogKind::Error).isEmpty() &&
                    told == QStringList({QStringLiteral("Tarefa Concluida!")});
    }

    bool reportedDone() const override { return finished_; }

    QStringList check(Connection& connection) const override {
        QStringList problems;
        const qint64 before = CountOf(
            connection, QStringLiteral("Select count(*) From TbNome Where Nome <= '%1' And Ordem = "
                                       "'kkkk' And Ativo = 1 And (Ok = 1) = (Nome <= '%2')")
                            .arg(NameOf(kStored), NameOf(kStored - kDrawn)));
        if (before != kStored)
            problems << QStringLiteral("%1 of the %2 names stored before intact")
                            .arg(before)
                            .arg(kStored);
        // Into the free slots and after them; the five drawn come in again.
        const qint64 imported = CountOf(
            connection, QStringLiteral("Select count(*) From TbNome Where Ok = 1 And Ativo = 1 And "
                                       "Cod > %1")
                            .arg(kStored));
        const qint64 expected = kNew + kDrawn;
        const qint64 freeSlots =
            CountOf(connection, QStringLiteral("Select count(*) From TbNome Where Ativo = 0 And "
                                               "Ok IS NULL And Nome = CAST(Cod AS TEXT)"));
        const bool whole = imported == expected && freeSlots == 0;
        const bool none = imported == 0 && freeSlots == kFreeSlots;
        if (finished_ && !whole)
            problems << QStringLiteral("\"Tarefa Concluida!\" was shown, the file holds %1 of the "
                                       "%2 names, %3 free slots left")
                            .arg(imported)
                            .arg(expected)
                            .arg(freeSlots);
        else if (!whole && !none)
            problems << QStringLiteral(
                            "%1 of %2 names imported, %3 free slots left: half an import")
                            .arg(imported)
                            .arg(expected)
                            .arg(freeSlots);
        const qint64 rows = CountOf(connection, QStringLiteral("Select count(*) From TbNome"));
        if (rows != kStored + kFreeSlots && rows != kStored + kNew + kDrawn)
            problems << QStringLiteral("%1 rows in the name pool").arg(rows);
        return problems;
    }

private:
    bool finished_ = false;
};

} // namespace

std::unique_ptr<PowerCutKind> NameImportCut() {
    return std::make_unique<NameImport>();
}

} // namespace tiravo::powercut
