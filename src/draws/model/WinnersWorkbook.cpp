#include "draws/model/WinnersWorkbook.h"

#include "common/Error.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/SpreadsheetCsv.h"
#include "store/VisibleText.h"

#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace tiravo {

namespace {

[[noreturn]] void Failed(lxw_error error) {
    throw Error(QStringLiteral("Não foi possível montar a planilha: %1")
                    .arg(QString::fromUtf8(lxw_strerror(error))));
}

void Check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        Failed(error);
}

void WriteText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const QString& text) {
    const QByteArray utf8 = EscapeText(text, TextEscapes::CsvCell).toUtf8();
    Check(worksheet_write_string(sheet, row, column, utf8.constData(), nullptr));
}

// The library writes to a file of its own naming; the workbook is made in a
// private folder and copied to the output, which is written whole or not at
// all.
QByteArray MakeWorkbook(const PoolDescription& pool, const std::vector<Winner>& winners,
                        bool prizes) {
    QTemporaryDir folder;
    if (!folder.isValid())
        throw Error(
            QStringLiteral("Não foi possível montar a planilha: %1").arg(folder.errorString()));
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("premiados.xlsx")));
    QByteArray scratch = QFile::encodeName(folder.path());
    lxw_workbook_options options = {};
    options.tmpdir = scratch.data();
    lxw_workbook* workbook = workbook_new_opt(path.constData(), &options);
    if (!workbook)
        Failed(LXW_ERROR_CREATING_XLSX_FILE);
    const QByteArray sheetName = pool.name.toUtf8();
    try {
        Check(workbook_validate_sheet_name(workbook, sheetName.constData()));
        lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName.constData());
        if (!sheet)
            Failed(LXW_ERROR_MEMORY_MALLOC_FAILED);
        WriteText(sheet, 0, 0, QStringLiteral("Sorte"));
        WriteText(sheet, 0, 1, pool.entryColumn);
        if (prizes)
            WriteText(sheet, 0, 2, kPrizeColumn);
        lxw_row_t row = 1;
        for (const Winner& winner : winners) {
            bool number = false;
            const double place = winner.place.toDouble(&number);
            if (number)
                Check(worksheet_write_number(sheet, row, 0, place, nullptr));
            else if (!winner.place.isEmpty())
                WriteText(sheet, row, 0, winner.place);
            WriteText(sheet, row, 1, winner.entry);
            if (!winner.prize.isEmpty())
                WriteText(sheet, row, 2, winner.prize);
            ++row;
        }
    } catch (...) {
        workbook_close(workbook);
        throw;
    }
    Check(workbook_close(workbook));
    QFile made(folder.filePath(QStringLiteral("premiados.xlsx")));
    if (!made.open(QIODevice::ReadOnly))
        throw Error(
            QStringLiteral("Não foi possível montar a planilha: %1").arg(made.errorString()));
    return made.readAll();
}

} // namespace

void WriteWinnersWorkbook(Connection& connection, const PoolDescription& pool, QFileDevice& out) {
    // A write that fails leaves the output's error, which its commit reports.
    out.write(MakeWorkbook(pool, ReadWinners(connection, pool),
                           !ReadPrizePlan(connection, pool).empty()));
}

} // namespace tiravo
