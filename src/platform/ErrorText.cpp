#include "platform/ErrorText.h"

#include "store/StoreError.h"

namespace {
const QString kCheckCommand = QStringLiteral("tiravo-db check");
}

namespace tiravo {

QString errorBoxText(const QString& message) {
    if (message.isEmpty() || message.back() <= QLatin1Char('.'))
        return message;
    return message + QLatin1Char('.');
}

QString operatorText(const Error& error) {
    const auto* store = dynamic_cast<const StoreError*>(&error);
    if (!store || store->file().isEmpty())
        return error.message();
    const QString& file = store->file();
    switch (store->fault()) {
    case FileFault::CannotOpen:
        return QStringLiteral("O arquivo de dados %1 não pôde ser aberto. Verifique se ele existe "
                              "e se este usuário pode lê-lo e criar arquivos na pasta dele.")
            .arg(file);
    case FileFault::ReadOnly:
        return QStringLiteral("O arquivo %1 está protegido contra gravação: nada foi gravado. "
                              "Para gravar, libere a gravação do arquivo e abra o programa de "
                              "novo.")
            .arg(file);
    case FileFault::Full:
        return QStringLiteral("O disco de %1 está cheio: libere espaço e tente de novo. Nada foi "
                              "gravado.")
            .arg(file);
    case FileFault::Locked:
        return QStringLiteral("O arquivo %1 está em uso por outra cópia do programa: espere que "
                              "ela termine o que está fazendo e tente de novo.")
            .arg(file);
    case FileFault::Damaged:
        return QStringLiteral("O arquivo %1 está danificado ou não é um banco de dados do Tiravo. "
                              "Verifique-o com '%2'.")
            .arg(file, kCheckCommand);
    case FileFault::Other:
        break;
    }
    return error.message();
}

QString openFailureText(const Error& error, const QString& file) {
    const QString text = operatorText(error);
    if (text.contains(kCheckCommand))
        return text;
    const QString check =
        QStringLiteral("Para examiná-lo, execute '%1' num terminal.").arg(kCheckCommand);
    // A sentence follows, so the text ends as a sentence does, whatever it
    // ends with ("... '/dados/Zodizi.db'").
    QString said = text;
    if (!said.isEmpty() && !QStringLiteral(".!?").contains(said.back()))
        said += QLatin1Char('.');
    if (text.contains(file))
        return said + QLatin1Char(' ') + check;
    return said + QStringLiteral("\n\nO arquivo de dados é %1. ").arg(file) + check;
}

QString readOnlyNotice(const QString& file) {
    return QStringLiteral("O arquivo %1 está protegido contra gravação: os sorteios não podem ser "
                          "gravados.")
        .arg(file);
}

} // namespace tiravo
