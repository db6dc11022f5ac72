#pragma once

#include <QString>

namespace tiravo {

// The state columns the three pools share, and the texts through which the
// windows write their flags ("T" true, "F" false, the empty text null).
inline const QString kCod = QStringLiteral("Cod");
inline const QString kOrdem = QStringLiteral("Ordem");
inline const QString kOk = QStringLiteral("Ok");
inline const QString kAtivo = QStringLiteral("Ativo");
inline const QString kSorte = QStringLiteral("Sorte");

// The entry of each pool.
inline const QString kNumero = QStringLiteral("Numero");
inline const QString kNome = QStringLiteral("Nome");
inline const QString kFoto = QStringLiteral("Foto");

inline const QString kTrueText = QStringLiteral("T");
inline const QString kFalseText = QStringLiteral("F");

// The pool view of every draw screen shows the available entries only.
inline const QString kAvailableFilter = QStringLiteral("Ok = True");

} // namespace tiravo
