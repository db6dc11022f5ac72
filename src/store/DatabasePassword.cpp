#include "store/DatabasePassword.h"

namespace tiravo {

namespace {
const char* const kPiece1 = "q7";
const char* const kPiece2 = "Zr";
const char* const kPiece3 = "!m";
const char* const kPiece4 = "K4";
const char* const kPiece5 = "w%";
const char* const kPiece6 = "Tn";
const char* const kPiece7 = "8e";
const char* const kPiece8 = "Xo";
const char* const kPiece9 = "@2";
const char* const kPiece10 = "Lv";
} // namespace

QString JoinDatabasePassword() {
    // The order is fixed; it is not the order of the pieces' names.
    return QString::fromLatin1(kPiece4) + QString::fromLatin1(kPiece9) +
           QString::fromLatin1(kPiece1) + QString::fromLatin1(kPiece7) +
           QString::fromLatin1(kPiece3) + QString::fromLatin1(kPiece10) +
           QString::fromLatin1(kPiece5) + QString::fromLatin1(kPiece2) +
           QString::fromLatin1(kPiece8) + QString::fromLatin1(kPiece6);
}

} // namespace tiravo
