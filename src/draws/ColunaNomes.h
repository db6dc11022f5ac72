#pragma once

#include "draws/model/SheetNames.h"

#include "widgets/GuardedWindow.h"

#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace tiravo {

// "Importar nomes": which column of a spreadsheet holds the names. Shows the
// first lines of the sheet and proposes a column; Enter imports it, Esc
// imports nothing.
class TFColunaNomes : public GuardedWindow {
    Q_OBJECT
public:
    TFColunaNomes(QWidget* parent, Dialogs& dialogs, const SheetColumns& sheet);

    // The window, run modally over `parent`: the column chosen, or nothing.
    static std::optional<NameColumn> Choose(QWidget* parent, Dialogs& dialogs,
                                            const SheetColumns& sheet);

    QLabel* Label1;
    QTableWidget* Grid1; // the first lines, the chosen column selected
    QLabel* Label2;
    QComboBox* ComboBox1; // the column
    QCheckBox* CheckBox1; // the first line is a header
    QPushButton* Button1; // "Importar"
    QPushButton* Button2; // "Cancelar"

    NameColumn choice() const;

    // Enter imports, wherever the focus is but on "Cancelar".
    bool FormKeyDown(QKeyEvent* event) override;

    // Lines of the sheet the window shows.
    static constexpr int kLinesShown = 8;

private:
    void buildControls();
    void showColumn(int column);
    void showColumnNames();
    void showHeader();

    const SheetColumns& sheet_;
};

} // namespace tiravo
