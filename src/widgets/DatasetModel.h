#pragma once

#include "store/Dataset.h"
#include "widgets/DataGrid.h"

#include <QAbstractTableModel>
#include <QPointer>

#include <vector>

namespace tiravo {

class Dialogs;

// The rows a dataset shows, in its order, as a table: one model column per
// grid column. It follows the dataset's signals, so every grid over a view
// shows the same rows, including the one being edited.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // What the row indicator shows beside the cursor's row.
    enum Indicator { NoIndicator, BrowseIndicator, EditIndicator, InsertIndicator };
    static constexpr int kIndicatorRole = Qt::UserRole + 1; // vertical header
    static constexpr int kMaxLengthRole = Qt::UserRole + 2; // characters; 0: no limit
    static constexpr int kWholeNumberRole = Qt::UserRole + 3;

    DatasetModel(QObject* parent, Dialogs& dialogs);

    void setDataset(Dataset* dataset);
    Dataset* dataset() const { return dataset_; }
    // Empty: every field of the dataset, titled by its name.
    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }
    void setEditable(bool editable);
    // True while rows join or leave; a view's current row moves then without
    // the operator moving it.
    bool updating() const { return updating_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes the text to the field of the cursor's row, beginning its edit;
    // an error is shown and leaves the field as it was.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    void followRows();
    void followField(int field);
    void followState();
    void followCursor();
    void reset();
    std::vector<GridColumn> shownColumns() const;
    std::vector<int> fieldsOf(const std::vector<GridColumn>& columns) const;
    int fieldAt(int column) const;

    Dialogs& dialogs_;
    QPointer<Dataset> dataset_;
    std::vector<GridColumn> requested_;
    std::vector<GridColumn> columns_;
    std::vector<int> fields_; // the dataset's index of each column's field, -1 unknown
    int rows_ = 0;
    bool editable_ = true;
    bool updating_ = false;
};

} // namespace tiravo
