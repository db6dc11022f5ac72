#pragma once

#include <QColor>
#include <QFont>
#include <QTableView>

#include <optional>
#include <vector>

namespace tiravo {

class Dataset;
class Dialogs;
class DatasetModel;
class GridCellDelegate;

struct GridColumn {
    QString field;
    QString title;
    int width = 64;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::Alignment titleAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    std::optional<QFont> font;
    std::optional<QColor> color;
    std::optional<QColor> background;
};

// A grid over a dataset: its current row follows the dataset's cursor both
// ways; typing in a cell begins editing, moving to another row posts, Esc
// cancels, Insert begins a new row at the cursor, Ctrl+Delete deletes after
// "Delete record?". Errors of the store show in the standard error box and
// leave the row as it was. Tab leaves the grid, as from any control.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(QWidget* parent, Dialogs& dialogs);
    ~DataGrid() override;

    void setDataset(Dataset* dataset);
    Dataset* dataset() const;
    void setColumns(std::vector<GridColumn> columns); // empty: every field
    // Read-only: whole rows are selected, nothing is typed, inserted or deleted.
    void setGridReadOnly(bool readOnly);
    bool gridReadOnly() const { return readOnly_; }
    // Without cell editing whole rows are selected and nothing is typed or
    // inserted in the grid, but Ctrl+Delete still deletes (the name list).
    void setCellEditing(bool editable);
    void setTitleFont(const QFont& font);
    void setRowIndicator(bool shown);

    // Writes what a cell editor holds to its field, as leaving the cell
    // would; false when the field refused it (the error box has shown).
    bool commitEditor();
    // The same for every grid over `dataset`: a navigator's Post or move
    // must see the text still open in a cell.
    static bool commitEditors(Dataset& dataset);

    // Typing in a grid edits the cell or does nothing; it never jumps to a
    // row, which would move the dataset's cursor behind the operator's back.
    void keyboardSearch(const QString& search) override;

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    using QTableView::edit;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void applyColumns();
    void applyEditMode();
    void followCursor();
    void followState();
    void closeEditorQuietly();
    void closeStaleEditor();
    void finishLeftEditor();
    void moveDatasetTo(int row);
    void deleteCurrentRow();
    void insertRow();
    bool cellsEditable() const { return !readOnly_ && cellEditing_; }

    Dialogs& dialogs_;
    DatasetModel* model_;
    GridCellDelegate* delegate_;
    bool readOnly_ = false;
    bool cellEditing_ = true;
    // Set while the grid moves its own current row to the dataset's.
    bool following_ = false;
    // The last text a cell editor committed was refused; the editor stays
    // open with it and the cursor stays on its row.
    bool commitFailed_ = false;
};

} // namespace tiravo
