// The record of draws read through the database tool: the listing, the
// check that names a row changed by hand, the minutes on paper and the CSV
// that spreadsheets open.
#include "ToolRun.h"
#include "draws/model/DrawBatch.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolEntry.h"
#include "store/Query.h"
#include "store/TableView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

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

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QStringList Listing(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries |
                                               QDir::System | QDir::Hidden);
    names.sort();
    return names;
}

// The tool's own messages, without what the toolkit says about the desktop.
QString Messages(const QString& err) {
    QStringList lines = err.split('\n');
    lines.removeIf([](const QString& line) { return line.startsWith("QStandardPaths: "); });
    return lines.join('\n');
}

// The characters a terminal would act on or nobody would see, except those
// `allowed`, as codes: empty when there are none.
QStringList Hidden(const QString& text, const QString& allowed) {
    QStringList found;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if ((code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x202E) &&
            !allowed.contains(c))
            found << QString::number(code, 16);
    }
    return found;
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

// A batch's draws are draws: listed with their place and their batch (the
// Sequencia of its first row, never a count of entries), and verified.
TEST_F(RecordTool, ABatchsDrawsAreListedAsDrawsOfTheirBatchAndVerify) {
    drawNames({"Ana", "Bia", "Caio", "Duda"}, 1);
    {
        auto connection = Open(file());
        TableView pool(*connection,
                       {.table = "TbNome", .filter = kAvailableFilter, .sortKey = kOrdem});
        pool.open();
        Query winners(*connection, {"Select *", "From TbNome", "Where Ativo=True and Ok=False",
                                    "Order by Sorte Desc"});
        winners.open();
        BatchRecord batch;
        for (int i = 0; i < 2; ++i) {
            batch.beginDraw();
            RecordWinner(pool, winners, WinnerFlag::OkAndPlace, NameEntries(),
                         RecordAction::BatchDraw, {}, nullptr, &batch);
            batch.kept();
            winners.requery();
        }
        ASSERT_EQ(batch.first(), 2);
    }
    const Outcome listed = run({"record"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    const QStringList lines = listed.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith("  nomes  sorteio  Sorte 1: Ana")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("  nomes  sorteio em lote  Sorte 2: Bia  (batch 2)"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith("  nomes  sorteio em lote  Sorte 3: Caio  (batch 2)"))
        << lines[2].toStdString();
    const Outcome verified = run({"verify"});
    EXPECT_EQ(verified.exitCode, 0) << verified.err.toStdString();
    EXPECT_TRUE(verified.out.startsWith("ok: 3 rows, 3 fingerprints recomputed"))
        << verified.out.toStdString();
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

// A name can hold an escape sequence (one that clears the screen, say), a
// bell, a direction override: what the tool prints for people shows each by a
// code, the CSV keeps only the tabs and line breaks its quoting carries, and
// the hashes, made over the texts as stored, still hold.
TEST_F(RecordTool, HiddenCharactersInNamesReachNoTerminalRaw) {
    drawNames({QString("Ana\x1B[2JSilva"), QString("Bia\x07\x7F") + QChar(0x9B) + "1m",
               QString("Caio") + QChar(0x202E) + "oiac", QString("Duda\\x1B"),
               QString("Edu\tE\nF\rG")},
              5);

    const Outcome dumped = run({"dump"});
    ASSERT_EQ(dumped.exitCode, 0) << dumped.err.toStdString();
    EXPECT_EQ(Hidden(dumped.out, "\t\n"), QStringList());
    for (const char* shown : {"\tAna\\x1B[2JSilva\t", "\tBia\\x07\\x7F\\u009B1m\t",
                              "\tCaio\\u202Eoiac\t", "\tDuda\\\\x1B\t", "\tEdu\\tE\\nF\\rG\t"})
        EXPECT_EQ(dumped.out.count(shown), 2) << shown << " in the pool and in the record";

    EXPECT_EQ(run({"winners", "--pool", "nomes"}).out, "nomes: 5 winners\n"
                                                       "Sorte  Nome\n"
                                                       "    5  Edu\\tE\\nF\\rG\n"
                                                       "    4  Duda\\\\x1B\n"
                                                       "    3  Caio\\u202Eoiac\n"
                                                       "    2  Bia\\x07\\x7F\\u009B1m\n"
                                                       "    1  Ana\\x1B[2JSilva\n"
                                                       "\n");
    const QString record = run({"record"}).out;
    EXPECT_EQ(Hidden(record, "\n"), QStringList());
    EXPECT_TRUE(record.contains("  ana  nomes  sorteio  Sorte 1: Ana\\x1B[2JSilva\n"))
        << record.toStdString();

    EXPECT_EQ(run({"winners", "--pool", "nomes", "--csv"}).bytes, "\xEF\xBB\xBF"
                                                                  "Sorte,Nome\r\n"
                                                                  "5,\"Edu\tE\nF\rG\"\r\n"
                                                                  "4,Duda\\x1B\r\n"
                                                                  "3,Caio\\u202Eoiac\r\n"
                                                                  "2,Bia\\x07\\x7F\\u009B1m\r\n"
                                                                  "1,Ana\\x1B[2JSilva\r\n");
    const Outcome recordCsv = run({"record", "--csv"});
    EXPECT_EQ(Hidden(recordCsv.out, "\t\n\r"), QStringList());
    EXPECT_TRUE(recordCsv.out.contains(",Ana\\x1B[2JSilva,")) << recordCsv.out.toStdString();
    // --raw writes what is stored.
    EXPECT_TRUE(run({"winners", "--pool", "nomes", "--csv", "--raw"})
                    .bytes.endsWith("\r\n1,Ana\x1B[2JSilva\r\n"));

    const Outcome verified = run({"verify"});
    EXPECT_EQ(verified.exitCode, 0) << verified.err.toStdString();
    EXPECT_TRUE(verified.out.startsWith("ok: 5 rows, 5 fingerprints recomputed"));
}

TEST_F(RecordTool, MinutesAreNeverWrittenOverTheDatabaseNorIntoWhatIsNotAFile) {
    drawNames({"Ana", "Bia"}, 1);
    const QString before = run({"dump"}).out;
    const QByteArray bytes = Read(file());
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath("ata.pdf");
    ASSERT_TRUE(QFile::link(file(), link));
    const QString pipe = dir_.filePath("fila.pdf");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    const QString itself = "is the database file itself";
    const QString working = "is one of the database's own working files";
    const QString notAFile = "is not a regular file";
    for (const auto& [target, why] :
         std::vector<std::pair<QString, QString>>{{file(), itself},
                                                  {link, itself},
                                                  {file() + "-wal", working},
                                                  {file() + "-shm", working},
                                                  {pipe, notAFile},
                                                  {dir_.path(), notAFile}}) {
        const Outcome refused = run({"minutes", "--pdf", target});
        EXPECT_EQ(refused.exitCode, 1) << target.toStdString();
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(Messages(refused.err),
                  QString("tiravo-db: The output file '%1' %2; choose another name. "
                          "Nothing was written\n")
                      .arg(target, why));
    }
    EXPECT_EQ(Read(file()), bytes);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    struct stat after = {};
    ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &after), 0);
    EXPECT_TRUE(S_ISFIFO(after.st_mode));
    EXPECT_EQ(Listing(dir_.path()), QStringList({"Zodizi.db", "fila.pdf"}));
    EXPECT_EQ(run({"check"}).exitCode, 0);
    EXPECT_EQ(run({"dump"}).out, before);
}

TEST_F(RecordTool, MinutesReplaceAnOlderFileWholeAndLeaveNothingBeside) {
    const QString pdf = dir_.filePath("ata.pdf");
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the minutes of another day");
    }
    ASSERT_EQ(run({"minutes", "--pdf", pdf}).exitCode, 0);
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_EQ(Listing(dir_.path()), QStringList({"Zodizi.db", "ata.pdf"}));

    const QString nowhere = dir_.filePath("falta/ata.pdf");
    const Outcome failed = run({"minutes", "--pdf", nowhere});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(Messages(failed.err).startsWith("tiravo-db: Could not write '" + nowhere + "': "))
        << failed.err.toStdString();
    EXPECT_EQ(Listing(dir_.path()), QStringList({"Zodizi.db", "ata.pdf"}));
}

// A shell's ">>" sends the tool's output to the end of a file: never to the
// database's own.
TEST_F(RecordTool, OutputSentToTheDatabaseFileIsRefused) {
    drawNames({"Ana", "Bia"}, 1);
    const QByteArray bytes = Read(file());
    for (const QStringList& command : {QStringList{"winners", "--csv"}, QStringList{"dump"},
                                       QStringList{"demo", "--if-missing"}}) {
        QProcess tool;
        tool.setStandardOutputFile(file(), QIODevice::Append);
        tool.start(QCoreApplication::applicationDirPath() + "/../tools/tiravo-db",
                   QStringList(command) << "--file" << file());
        ASSERT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 1) << command.join(' ').toStdString();
        EXPECT_EQ(QString::fromUtf8(tool.readAllStandardError()),
                  QString("tiravo-db: The output goes to the database file '%1' itself; send it "
                          "elsewhere. Nothing was written\n")
                      .arg(file()));
    }
    EXPECT_EQ(Read(file()), bytes);
    EXPECT_EQ(run({"check"}).exitCode, 0);
}

} // namespace
} // namespace tiravo
