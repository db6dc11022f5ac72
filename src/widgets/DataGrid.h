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
// cancels, Ctrl+Delete deletes after "Delete record?". Errors of the store
// show in the standard error box and leave the row as it was.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    DataGrid(QWidget* parent, Dialogs& dialogs);
    ~DataGrid() override;

    void setDataset(Dataset* dataset);
    void setColumns(std::vector<GridColumn> columns); // empty: every field
    void setGridReadOnly(bool readOnly);
    void setTitleFont(const QFont& font);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    Dialogs& dialogs_;
    DatasetModel* model_;
};

} // namespace tiravo
