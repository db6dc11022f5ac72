#include "widgets/DatasetModel.h"

#include "store/Dataset.h"
#include "widgets/HandlerGuard.h"

#include <QBrush>
#include <QScopedValueRollback>

namespace tiravo {

namespace {

bool IsWholeNumber(ColumnType type) {
    return type == ColumnType::Key || type == ColumnType::Integer || type == ColumnType::SmallInt;
}

bool SameFields(const std::vector<GridColumn>& a, const std::vector<GridColumn>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].field != b[i].field)
            return false;
    return true;
}

} // namespace

DatasetModel::DatasetModel(QObject* parent, Dialogs& dialogs)
    : QAbstractTableModel(parent), dialogs_(dialogs) {}

void DatasetModel::setDataset(Dataset* dataset) {
    if (dataset == dataset_)
        return;
    if (dataset_)
        dataset_->disconnect(this);
    dataset_ = dataset;
    if (dataset_) {
        connect(dataset_, &Dataset::rowsChanged, this, &DatasetModel::followRows);
        connect(dataset_, &Dataset::fieldChanged, this, &DatasetModel::followField);
        connect(dataset_, &Dataset::stateChanged, this, &DatasetModel::followState);
        connect(dataset_, &Dataset::cursorMoved, this, &DatasetModel::followCursor);
        // The QPointer is already null when this runs; the rows must go too.
        connect(dataset_, &QObject::destroyed, this, &DatasetModel::reset);
    }
    reset();
}

void DatasetModel::setColumns(std::vector<GridColumn> columns) {
    requested_ = std::move(columns);
    reset();
}

void DatasetModel::setEditable(bool editable) {
    if (editable == editable_)
        return;
    editable_ = editable;
    if (rows_ > 0 && !columns_.empty())
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
}

std::vector<GridColumn> DatasetModel::shownColumns() const {
    if (!requested_.empty() || !dataset_)
        return requested_;
    std::vector<GridColumn> every;
    for (const Column& column : dataset_->columns()) {
        GridColumn shown;
        shown.field = column.name;
        shown.title = column.name;
        if (IsWholeNumber(column.type))
            shown.alignment = Qt::AlignRight | Qt::AlignVCenter;
        every.push_back(std::move(shown));
    }
    return every;
}

std::vector<int> DatasetModel::fieldsOf(const std::vector<GridColumn>& columns) const {
    std::vector<int> fields;
    fields.reserve(columns.size());
    for (const GridColumn& column : columns)
        fields.push_back(dataset_ ? dataset_->fieldIndex(column.field) : -1);
    return fields;
}

int DatasetModel::fieldAt(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= fields_.size())
        return -1;
    return fields_[static_cast<std::size_t>(column)];
}

void DatasetModel::reset() {
    const QScopedValueRollback<bool> guard(updating_, true);
    beginResetModel();
    columns_ = shownColumns();
    fields_ = fieldsOf(columns_);
    rows_ = dataset_ && dataset_->active() ? dataset_->recordCount() : 0;
    endResetModel();
}

void DatasetModel::followRows() {
    const int rows = dataset_ && dataset_->active() ? dataset_->recordCount() : 0;
    // A query learns its fields when it opens; a view re-reads them never,
    // but which index each field has is cheap to ask again.
    std::vector<GridColumn> columns = shownColumns();
    std::vector<int> fields = fieldsOf(columns);
    if (rows != rows_ || !SameFields(columns, columns_) || fields != fields_) {
        // Which rows joined or left the signal does not say; a reset is exact.
        reset();
        return;
    }
    if (rows_ > 0 && !columns_.empty())
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
    followCursor();
}

void DatasetModel::followField(int field) {
    const int row = dataset_ ? dataset_->recNo() : -1;
    if (row < 0 || row >= rows_)
        return;
    for (std::size_t column = 0; column < fields_.size(); ++column)
        if (fields_[column] == field)
            emit dataChanged(index(row, static_cast<int>(column)),
                             index(row, static_cast<int>(column)));
}

void DatasetModel::followState() {
    // Cancel brings back the stored values, Post may have changed them.
    const int row = dataset_ ? dataset_->recNo() : -1;
    if (row >= 0 && row < rows_ && !columns_.empty())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    followCursor();
}

void DatasetModel::followCursor() {
    if (rows_ > 0)
        emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const GridColumn& column = columns_[static_cast<std::size_t>(index.column())];
    const int field = fieldAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (!dataset_ || field < 0)
            return QString();
        return dataset_->displayText(index.row(), static_cast<std::size_t>(field));
    case Qt::TextAlignmentRole:
        return static_cast<int>(column.alignment);
    case Qt::FontRole:
        return column.font ? QVariant(*column.font) : QVariant();
    case Qt::ForegroundRole:
        return column.color ? QVariant(QBrush(*column.color)) : QVariant();
    case Qt::BackgroundRole:
        return column.background ? QVariant(QBrush(*column.background)) : QVariant();
    case kMaxLengthRole:
    case kWholeNumberRole: {
        if (!dataset_ || field < 0)
            return {};
        const Column& stored = dataset_->columns()[static_cast<std::size_t>(field)];
        if (role == kWholeNumberRole)
            return IsWholeNumber(stored.type);
        return stored.type == ColumnType::Text ? stored.width : 0;
    }
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role != kIndicatorRole || !dataset_ || section != dataset_->recNo())
            return {};
        switch (dataset_->state()) {
        case DatasetState::Edit:
            return EditIndicator;
        case DatasetState::Insert:
            return InsertIndicator;
        case DatasetState::Browse:
            return BrowseIndicator;
        case DatasetState::Inactive:
            break;
        }
        return NoIndicator;
    }
    if (section < 0 || static_cast<std::size_t>(section) >= columns_.size())
        return {};
    const GridColumn& column = columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return column.title.isEmpty() ? column.field : column.title;
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(column.titleAlignment);
    return {};
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int field = fieldAt(index.column());
    // The key is the store's to give; nothing can type over it.
    if (editable_ && dataset_ && field >= 0 &&
        dataset_->columns()[static_cast<std::size_t>(field)].type != ColumnType::Key)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) ||
        index.row() != dataset_->recNo())
        return false;
    const auto field = static_cast<std::size_t>(fieldAt(index.column()));
    const QString text = value.toString();
    // An editor closed as it was opened writes nothing, so a row merely
    // looked at is not posted, and an empty new cell stays null.
    if (text == dataset_->displayText(index.row(), field))
        return true;
    Dataset& dataset = *dataset_;
    return RunGuarded(dialogs_, [&] {
        if (!dataset.editing())
            dataset.edit();
        dataset.field(field).setAsString(text);
    });
}

} // namespace tiravo
