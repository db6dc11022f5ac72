// How the record's texts are hashed: as stored, whatever the outputs for
// people show of them.
#include "draws/model/RecordChain.h"

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

} // namespace
} // namespace tiravo
