#include "draws/ColunaNomes.h"

#include "widgets/ControlKit.h"
#include "widgets/WindowLook.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace tiravo {

namespace {

const QString kFamily = QStringLiteral("MS Sans Serif");

// A spreadsheet's name of a column: A to Z, then AA.
QString ColumnLetters(qsizetype column) {
    QString letters;
    for (qsizetype n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + char16_t((n - 1) % 26)));
    return letters;
}

// A cell as one line, short enough for the list of columns.
QString Shown(const QString& cell, int length) {
    QString line = cell.simplified();
    if (line.size() > length)
        line = line.left(length - 1) + QChar(0x2026);
    return line;
}

} // namespace

TFColunaNomes::TFColunaNomes(QWidget* parent, Dialogs& dialogs, const SheetColumns& sheet)
    : GuardedWindow(parent, dialogs, QStringLiteral("FColunaNomes"),
                    {.caption = QStringLiteral("Importar nomes"),
                     .client = QSize(520, 330),
                     .font = PixelFont(kFamily, 11)}),
      sheet_(sheet) {
    buildControls();
    CheckBox1->setChecked(sheet_.header);
    showHeader();
    ComboBox1->setCurrentIndex(int(sheet_.proposed));
    showColumn(int(sheet_.proposed));
    ComboBox1->setFocus();
}

std::optional<NameColumn> TFColunaNomes::Choose(QWidget* parent, Dialogs& dialogs,
                                                const SheetColumns& sheet) {
    TFColunaNomes window(parent, dialogs, sheet);
    if (window.exec() != QDialog::Accepted)
        return std::nullopt;
    return window.choice();
}

void TFColunaNomes::buildControls() {
    Label1 = NamedLabel(this, QStringLiteral("Label1"),
                        QStringLiteral("O arquivo tem várias colunas. Qual delas tem os nomes?"),
                        12, 12);

    const int lines = int(std::min<qsizetype>(kLinesShown, sheet_.rows.size()));
    Grid1 = Place(new QTableWidget(lines, int(sheet_.columnCount), this), 12, 34, 496, 190);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectColumns);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the grid; the arrows move among its columns.
    Grid1->setTabKeyNavigation(false);
    Grid1->verticalHeader()->setDefaultSectionSize(20);
    Grid1->horizontalHeader()->setHighlightSections(true);
    QStringList letters;
    for (const qsizetype column : sheet_.sheetColumns)
        letters << ColumnLetters(column);
    Grid1->setHorizontalHeaderLabels(letters);
    for (int row = 0; row < lines; ++row)
        for (int column = 0; column < int(sheet_.columnCount); ++column)
            Grid1->setItem(row, column,
                           new QTableWidgetItem(Shown(SheetCell(sheet_.rows.at(row), column), 60)));
    Grid1->resizeColumnsToContents();

    Label2 =
        NamedLabel(this, QStringLiteral("Label2"), QStringLiteral("Coluna dos nomes:"), 12, 242);
    ComboBox1 = Place(new QComboBox(this), 120, 238, 260, 22);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (qsizetype column = 0; column < sheet_.columnCount; ++column)
        ComboBox1->addItem(QString());

    CheckBox1 = Place(new QCheckBox(QStringLiteral("A primeira linha é um cabeçalho"), this), 12,
                      268, 300, 20);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    Button1 = Place(NamedButton(this, QStringLiteral("Button1"), QStringLiteral("Importar")), 340,
                    296, 80, 25);
    Button2 = Place(NamedButton(this, QStringLiteral("Button2"), QStringLiteral("Cancelar")), 428,
                    296, 80, 25);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            [this](int column) { showColumn(column); });
    connect(Grid1, &QTableWidget::currentCellChanged, this, [this](int, int column) {
        if (column >= 0)
            ComboBox1->setCurrentIndex(column);
    });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { showHeader(); });
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(ComboBox1, CheckBox1);
    setTabOrder(CheckBox1, Grid1);
    setTabOrder(Grid1, Button1);
    setTabOrder(Button1, Button2);
}

// The chosen column selected in the grid, and its current cell there, so
// that the arrows move on from it.
void TFColunaNomes::showColumn(int column) {
    if (column < 0 || Grid1->rowCount() == 0)
        return;
    if (Grid1->currentColumn() != column)
        Grid1->setCurrentCell(std::max(0, Grid1->currentRow()), column);
    Grid1->selectColumn(column);
}

// Each column by its letter and its heading, or its first cell when the
// sheet has no header.
void TFColunaNomes::showColumnNames() {
    for (qsizetype column = 0; column < sheet_.columnCount; ++column) {
        QString sample;
        for (const QStringList& row : sheet_.rows) {
            sample = SheetCell(row, column).trimmed();
            if (!sample.isEmpty() || CheckBox1->isChecked())
                break;
        }
        const QString letters = Grid1->horizontalHeaderItem(int(column))->text();
        ComboBox1->setItemText(
            int(column),
            sample.isEmpty() ? letters : QStringLiteral("%1: %2").arg(letters, Shown(sample, 30)));
    }
}

// The header line, when there is one, in bold: it is not imported.
void TFColunaNomes::showHeader() {
    showColumnNames();
    if (Grid1->rowCount() == 0)
        return;
    for (int column = 0; column < Grid1->columnCount(); ++column) {
        QTableWidgetItem* item = Grid1->item(0, column);
        QFont font = item->font();
        font.setBold(CheckBox1->isChecked());
        item->setFont(font);
    }
    Grid1->resizeColumnsToContents();
}

NameColumn TFColunaNomes::choice() const {
    return {std::max(0, ComboBox1->currentIndex()), CheckBox1->isChecked()};
}

bool TFColunaNomes::FormKeyDown(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        focusWidget() != Button2) {
        accept();
        return true;
    }
    return GuardedWindow::FormKeyDown(event);
}

} // namespace tiravo
