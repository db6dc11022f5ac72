#include "draws/model/PrizeSheet.h"

#include "common/Error.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/SpreadsheetCsv.h"
#include "platform/CsvFile.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QTextStream>

#include <algorithm>

namespace tiravo {

namespace {

bool Portuguese(MessageLanguage language) {
    return language == MessageLanguage::Portuguese;
}

// The apostrophe that the program's own CSV puts before a text a
// spreadsheet would run as a formula (CsvText) is no part of the prize.
QString Unguarded(const QString& text) {
    static const QString formula = QStringLiteral("=+-@");
    if (text.size() > 1 && text.front() == u'\'' && formula.contains(text.at(1)))
        return text.mid(1);
    return text;
}

// What is wrong with a row, or an empty text when it is a prize.
QString RowProblem(const QStringList& cells, MessageLanguage language, PlannedPrize& prize) {
    const bool pt = Portuguese(language);
    if (std::any_of(cells.begin() + std::min<qsizetype>(cells.size(), 2), cells.end(),
                    [](const QString& cell) { return !cell.trimmed().isEmpty(); }))
        return pt ? QStringLiteral("tem mais de duas colunas (descrição e quantidade)")
                  : QStringLiteral("it has more than two columns (description and quantity)");
    prize.description = Unguarded(cells.value(0).trimmed());
    const QString quantity = cells.value(1).trimmed();
    if (prize.description.isEmpty())
        return pt ? QStringLiteral("falta a descrição do prêmio")
                  : QStringLiteral("the prize has no description");
    if (prize.description.size() > kPrizeDescriptionWidth)
        return (pt ? QStringLiteral("a descrição tem mais de %1 caracteres")
                   : QStringLiteral("the description is longer than %1 characters"))
            .arg(kPrizeDescriptionWidth);
    if (std::any_of(prize.description.begin(), prize.description.end(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        return pt ? QStringLiteral("a descrição tem caracteres de controle")
                  : QStringLiteral("the description holds control characters");
    if (quantity.isEmpty())
        return pt ? QStringLiteral("falta a quantidade")
                  : QStringLiteral("the quantity is missing");
    bool number = false;
    const int value = quantity.toInt(&number);
    const bool digits = std::all_of(quantity.begin(), quantity.end(),
                                    [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!number || !digits || value < 1 || value > kMostOfOnePrize)
        return (pt ? QStringLiteral("a quantidade \"%1\" não é um número de 1 a 9999")
                   : QStringLiteral("the quantity \"%1\" is not a number from 1 to 9999"))
            .arg(quantity);
    prize.quantity = value;
    return {};
}

} // namespace

std::vector<PlannedPrize> PrizesOfSheet(const SheetRows& sheet, MessageLanguage language) {
    const bool pt = Portuguese(language);
    std::vector<PlannedPrize> prizes;
    const QList<QStringList>& rows = sheet.rows();
    // The first row is the header, whatever it says.
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QStringList& cells = rows[i];
        if (std::all_of(cells.begin(), cells.end(),
                        [](const QString& cell) { return cell.trimmed().isEmpty(); }))
            continue;
        PlannedPrize prize;
        const QString problem = RowProblem(cells, language, prize);
        if (!problem.isEmpty())
            throw Error((pt ? QStringLiteral("a linha %1 não é um prêmio: %2")
                            : QStringLiteral("line %1 is no prize: %2"))
                            .arg(sheet.lineOf(i))
                            .arg(problem));
        prizes.push_back(std::move(prize));
    }
    if (prizes.empty())
        throw Error(pt ? QStringLiteral("não há prêmios depois da linha de títulos")
                       : QStringLiteral("there is no prize after the header line"));
    return prizes;
}

std::vector<PlannedPrize> ReadPrizeCsv(const QString& path, MessageLanguage language) {
    const QString shown = QDir::toNativeSeparators(path);
    const QString cannot = Portuguese(language)
                               ? QStringLiteral("O arquivo \"%1\" não pode ser importado: %2")
                               : QStringLiteral("The file \"%1\" cannot be imported: %2");
    QByteArray bytes;
    try {
        bytes = readTextFileBytes(path);
    } catch (const Error& error) {
        if (Portuguese(language))
            throw Error(cannot.arg(shown, error.message()));
        throw;
    }
    try {
        return PrizesOfSheet(ParseCsv(bytes), language);
    } catch (const Error& error) {
        throw Error(cannot.arg(shown, error.message()));
    }
}

void WritePrizePlanCsv(const PrizePlan& plan, QTextStream& out) {
    BeginCsv(out);
    WriteCsvRecord({QStringLiteral("Descrição"), QStringLiteral("Quantidade")}, kSpreadsheetCsv,
                   out);
    for (const Prize& prize : plan.prizes)
        WriteCsvRecord({CsvText(prize.description, kSpreadsheetCsv),
                        CsvNumber(QString::number(prize.quantity), kSpreadsheetCsv)},
                       kSpreadsheetCsv, out);
}

} // namespace tiravo
