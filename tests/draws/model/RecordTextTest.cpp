// How the record's texts are hashed and how the minutes show them: the hash
// takes a text as stored, whatever the outputs for people show of it, and
// the paper shows each time with its offset and a name on one line.
#include "draws/model/Minutes.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordChain.h"
#include "support/TempDatabase.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

// Rows written long ago with a control character in a name must keep
// verifying: only the four escapes the hash was made with apply.
TEST(RecordText, AControlCharacterIsHashedAsItIsStored) {
    const QString name = QString("Ana\x1B[2J\\b\tc") + QChar(0x202E);
    const QByteArray hashedName = "Ana\x1B[2J\\\\b\\tc\xE2\x80\xAE";
    EXPECT_EQ(FingerprintLine(7, Value(name)), "7\t" + hashedName + "\n");

    RecordRow row;
    row.sequence = 1;
    row.moment = "2026-12-09T17:45:07.123Z";
    row.offset = "-03:00";
    row.operatorName = "ana\x07";
    row.pool = "nomes";
    row.action = "sorteio";
    row.item = 4;
    row.entry = name;
    row.place = 1;
    row.available = 9;
    row.fingerprint = QString(64, u'f');
    row.previousHash = kFirstPreviousHash;
    const QByteArray hashed = "1\t2026-12-09T17:45:07.123Z\t-03:00\tana\x07\tnomes\tsorteio\t4\t" +
                              hashedName + "\t1\t9\tNULL\t" + QByteArray(64, 'f') + '\t' +
                              QByteArray(64, '0');
    EXPECT_EQ(
        RowHash(row),
        QString::fromLatin1(QCryptographicHash::hash(hashed, QCryptographicHash::Sha256).toHex()));
}

void AddRow(test::TempDatabase& db, int sequence, const QString& moment, const QString& offset,
            const QString& operatorSql, const QString& entrySql) {
    db.exec(QString("INSERT INTO TbRegistro (Sequencia, Momento, Fuso, Operador, Lista, Acao, "
                    "Item, Entrada, Sorte, Disponiveis, Impressao, HashAnterior, Hash) VALUES "
                    "(%1, '%2', '%3', %4, 'nomes', 'sorteio', %1, %5, %1, 5, '%6', '%7', '%8')")
                .arg(sequence)
                .arg(moment, offset, operatorSql, entrySql, QString(64, u'a'), QString(64, u'0'),
                     QString(64, u'b')));
}

// When the clocks go back at two in the morning, a draw at 01:00 comes after
// one at 01:59; the offsets tell the reader why.
TEST(RecordText, TheMinutesShowEachTimeWithItsOffsetAndEachNameOnOneLine) {
    test::TempDatabase db;
    AddRow(db, 1, "2026-02-22T03:59:30.000Z", "-02:00", "'ana' || char(10) || 'maria'",
           "'Ana' || char(27) || '[2J' || char(13, 10) || 'Silva'");
    AddRow(db, 2, "2026-02-22T04:00:10.000Z", "-03:00", "'ana' || char(10) || 'maria'",
           "'Bia' || char(9) || 'Souza' || char(8238)");
    AddRow(db, 3, "2026-02-22T20:15:00.000Z", "+05:30", "'rui'", "'Caio'");

    const QStringList texts = MinutesTexts(db.connection(), QDate(2026, 2, 22));
    EXPECT_TRUE(texts.contains("Operadores: ana maria")) << texts.join('\n').toStdString();
    const qsizetype header = texts.indexOf("Hora|Sorte|Entrada");
    ASSERT_GE(header, 0) << texts.join('\n').toStdString();
    EXPECT_EQ(texts.mid(header + 1, 3),
              QStringList({"01:59:30 -02:00|1º|Ana [2J  Silva",
                           "impressão das 5 disponíveis: " + QString(64, u'a'),
                           "01:00:10 -03:00|2º|Bia Souza "}));
    // The day of that last row, in its own offset, is the next one.
    const QStringList nextDay = MinutesTexts(db.connection(), QDate(2026, 2, 23));
    EXPECT_TRUE(nextDay.contains("01:45:00 +05:30|3º|Caio")) << nextDay.join('\n').toStdString();
}

// With a plan the pool's part of the minutes lists it, and each draw names
// the prize of its place; a place beyond the plan has none.
TEST(RecordText, TheMinutesListThePlanAndNameEachWinnersPrize) {
    test::TempDatabase db;
    AddRow(db, 1, "2026-02-22T12:00:00.000Z", "-03:00", "'ana'", "'Ana'");
    AddRow(db, 2, "2026-02-22T12:01:00.000Z", "-03:00", "'ana'", "'Bia'");
    AddRow(db, 3, "2026-02-22T12:02:00.000Z", "-03:00", "'ana'", "'Caio'");
    AddPrize(db.connection(), NamePool(), "Bicicleta", 2);

    const QStringList texts = MinutesTexts(db.connection(), QDate(2026, 2, 22));
    const qsizetype plan = texts.indexOf("Plano de prêmios");
    ASSERT_GE(plan, 0) << texts.join('\n').toStdString();
    EXPECT_EQ(texts[plan - 1], "Nomes");
    EXPECT_EQ(texts.mid(plan + 1, 6),
              QStringList({"1º a 2º|2 ×|Bicicleta", "Hora|Sorte|Entrada|Prêmio",
                           "09:00:00 -03:00|1º|Ana|Bicicleta",
                           "impressão das 5 disponíveis: " + QString(64, u'a'),
                           "09:01:00 -03:00|2º|Bia|Bicicleta",
                           "impressão das 5 disponíveis: " + QString(64, u'a')}));
    EXPECT_TRUE(texts.contains("09:02:00 -03:00|3º|Caio|")) << texts.join('\n').toStdString();
}

} // namespace
} // namespace tiravo
