// The record of draws read through the database tool: the listing, the
// check that names a row changed by hand, the minutes on paper and the CSV
// that spreadsheets open.
#include "ToolRun.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolEntry.h"
#include "store/Query.h"
#include "store/TableView.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace tiravo {
namespace {

class RecordTool : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(run({"create"}).exitCode, 0); }

    QString file() const { return dir_.filePath("Zodizi.db"); }
    Outcome run(QStringList arguments) { return RunTool(arguments << "--file" << file()); }

    // Names available in this order, then `draws` of them drawn by "ana".
    void drawNames(const QStringList& names, int draws) {
        auto connection = Open(file());
        connection->setOperatorName("ana");
        TableView pool(*connection,
                       {.table = "TbNome", .filter = kAvailableFilter, .sortKey = kOrdem});
        pool.open();
        for (qsizetype i = 0; i < names.size(); ++i) {
            pool.insert();
            pool.field(kNome).setAsString(names[i]);
            pool.field(kOrdem).setAsString(QStringLiteral("k%1").arg(i, 3, 10, QChar(u'0')));
            pool.field(kOk).setAsString(kTrueText);
            pool.field(kAtivo).setAsString(kTrueText);
            pool.post();
        }
        pool.close();
        pool.open();
        Query winners(*connection, {"Select *", "From TbNome", "Where Ativo=True and Ok=False",
                                    "Order by Sorte Desc"});
        winners.open();
        for (int i = 0; i < draws; ++i) {
            RecordWinner(pool, winners, WinnerFlag::OkAndPlace, NameEntries());
            winners.requery();
        }
    }

    QTemporaryDir dir_;
};

int PdfPages(const QString& path) {
    QFile pdf(path);
    EXPECT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    return int(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

TEST_F(RecordTool, VerifyHoldsUntilARowIsChangedAndThenNamesIt) {
    drawNames({"Ana", "Bia", "Caio", "Duda"}, 3);
    const Outcome listed = run({"record", "--pool", "nomes"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("1  ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[2].endsWith("  ana  nomes  sorteio  Sorte 3: Caio"))
        << lines[2].toStdString();
    EXPECT_EQ(run({"record", "--pool", "numeros"}).out, "The record holds no rows.\n");

    const Outcome verified = run({"verify"});
    EXPECT_EQ(verified.exitCode, 0) << verified.err.toStdString();
    EXPECT_TRUE(verified.out.startsWith("ok: 3 rows, 3 fingerprints recomputed; the last hash is "))
        << verified.out.toStdString();

    {
        auto connection = Open(file());
        connection->execute("DROP TRIGGER TbRegistro_UPDATE");
        connection->execute("UPDATE TbRegistro SET Entrada = 'Bib' WHERE Sequencia = 2");
    }
    const Outcome changed = run({"verify"});
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_EQ(changed.out, "");
    EXPECT_EQ(changed.err, "tiravo-db: Row 2 (Cod 2) does not hold: its hash is not the hash of "
                           "its fields, so the row was changed\n");
}

TEST_F(RecordTool, MinutesOfADayWithoutDrawsAreOnePage) {
    const QString pdf = dir_.filePath("ata.pdf");
    const Outcome made = run({"minutes", "--date", "2026-12-09", "--pdf", pdf});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_EQ(made.out,
              QStringLiteral("Wrote the minutes of 09/12/2026 to '%1': 1 page.\n").arg(pdf));
    EXPECT_EQ(PdfPages(pdf), 1);

    // Today's draws are on today's minutes.
    drawNames({"Ana", "Bia"}, 2);
    EXPECT_EQ(run({"minutes", "--pdf", pdf}).exitCode, 0);
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_EQ(run({"minutes", "--date", "31/02/2026", "--pdf", pdf}).exitCode, 2);
    EXPECT_EQ(run({"minutes"}).exitCode, 2);
}

TEST_F(RecordTool, SpreadsheetTextsThatWouldRunAsFormulasBeginWithAnApostrophe) {
    drawNames({"=HYPERLINK(\"x\")", "+55 11", "-1", "@SUM(A1)", "\tTab", "Ana"}, 6);
    {
        auto connection = Open(file());
        connection->execute("INSERT INTO TbNumero (Numero, Ok, Ativo, Sorte) VALUES (-5, 0, 1, 1)");
    }
    const Outcome names = run({"winners", "--pool", "nomes", "--csv"});
    EXPECT_EQ(names.bytes, "\xEF\xBB\xBF"
                           "Sorte,Nome\r\n"
                           "6,Ana\r\n"
                           "5,'\tTab\r\n"
                           "4,'@SUM(A1)\r\n"
                           "3,'-1\r\n"
                           "2,'+55 11\r\n"
                           "1,\"'=HYPERLINK(\"\"x\"\")\"\r\n");
    EXPECT_TRUE(run({"winners", "--pool", "nomes", "--csv", "--raw"})
                    .bytes.endsWith("\r\n2,+55 11\r\n1,\"=HYPERLINK(\"\"x\"\")\"\r\n"));
    // A number of the number pool is a number, sign and all.
    EXPECT_EQ(run({"winners", "--pool", "numeros", "--csv"}).bytes, "\xEF\xBB\xBF"
                                                                    "Sorte,Numero\r\n1,-5\r\n");
    const Outcome record = run({"record", "--csv"});
    EXPECT_TRUE(record.out.contains(",\"'=HYPERLINK(") && record.out.contains(",ana,nomes,"))
        << record.out.toStdString();
    EXPECT_EQ(run({"record", "--raw"}).exitCode, 2);
}

} // namespace
} // namespace tiravo
