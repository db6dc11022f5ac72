#include "widgets/DataGrid.h"

#include "platform/Dialogs.h"
#include "store/Dataset.h"
#include "widgets/DatasetModel.h"
#include "widgets/GridCellDelegate.h"
#include "widgets/HandlerGuard.h"
#include "widgets/RowIndicatorHeader.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QScopedValueRollback>

#include <algorithm>

namespace tiravo {

namespace {

// The grids alive now, so that a navigator finds the ones over its dataset
// without looking through every widget of the program.
std::vector<DataGrid*>& LiveGrids() {
    static std::vector<DataGrid*> grids;
    return grids;
}

} // namespace

DataGrid::DataGrid(QWidget* parent, Dialogs& dialogs)
    : QTableView(parent), dialogs_(dialogs), model_(new DatasetModel(this, dialogs)),
      delegate_(new GridCellDelegate(
          this, [this](bool taken) { commitFailed_ = !taken; }, [this] { deleteCurrentRow(); })) {
    LiveGrids().push_back(this);
    setVerticalHeader(new RowIndicatorHeader(this));
    setItemDelegate(delegate_);
    setModel(model_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab moves between the window's controls, not between cells.
    setTabKeyNavigation(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyColumns();
        followCursor();
    });
    applyEditMode();
}

DataGrid::~DataGrid() {
    std::erase(LiveGrids(), this);
}

Dataset* DataGrid::dataset() const {
    return model_->dataset();
}

void DataGrid::setDataset(Dataset* dataset) {
    if (Dataset* old = model_->dataset())
        old->disconnect(this);
    closeEditorQuietly();
    model_->setDataset(dataset);
    if (!dataset)
        return;
    connect(dataset, &Dataset::cursorMoved, this, [this] {
        closeStaleEditor();
        followCursor();
    });
    connect(dataset, &Dataset::rowsChanged, this, &DataGrid::followCursor);
    connect(dataset, &Dataset::stateChanged, this, &DataGrid::followState);
}

void DataGrid::setColumns(std::vector<GridColumn> columns) {
    closeEditorQuietly();
    model_->setColumns(std::move(columns));
}

void DataGrid::setGridReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    applyEditMode();
}

void DataGrid::setCellEditing(bool editable) {
    cellEditing_ = editable;
    applyEditMode();
}

void DataGrid::setTitleFont(const QFont& font) {
    horizontalHeader()->setFont(font);
}

void DataGrid::setRowIndicator(bool shown) {
    verticalHeader()->setVisible(shown);
}

void DataGrid::applyEditMode() {
    const bool editable = cellsEditable();
    if (!editable)
        closeEditorQuietly();
    model_->setEditable(editable);
    setEditTriggers(editable ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed
                             : QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(editable ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    followCursor();
}

void DataGrid::applyColumns() {
    const std::vector<GridColumn>& columns = model_->columns();
    // Rows are as high as the largest font of any column needs.
    int textHeight = fontMetrics().height();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        setColumnWidth(static_cast<int>(i), columns[i].width);
        if (columns[i].font)
            textHeight = std::max(textHeight, QFontMetrics(*columns[i].font).height());
    }
    const int rowHeight = textHeight + 4;
    verticalHeader()->setMinimumSectionSize(std::min(rowHeight, 8));
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

void DataGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyColumns();
}

void DataGrid::keyboardSearch(const QString&) {}

void DataGrid::followCursor() {
    Dataset* view = dataset();
    const int row = view && view->active() ? view->recNo() : -1;
    QItemSelectionModel* selection = selectionModel();
    const QScopedValueRollback<bool> guard(following_, true);
    if (row < 0 || row >= model_->rowCount() || model_->columnCount() == 0) {
        if (currentIndex().isValid())
            selection->clear();
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex target = model_->index(row, column);
    QItemSelectionModel::SelectionFlags flags = QItemSelectionModel::ClearAndSelect;
    if (!cellsEditable())
        flags |= QItemSelectionModel::Rows;
    // Selecting again even when current: a refused click has selected the
    // row it landed on.
    if (currentIndex() != target)
        selection->setCurrentIndex(target, flags);
    else
        selection->select(target, flags);
}

void DataGrid::followState() {
    Dataset* view = dataset();
    if (!view || !view->editing())
        closeEditorQuietly();
}

void DataGrid::closeStaleEditor() {
    Dataset* view = dataset();
    if (delegate_->openEditor() &&
        (!view || !view->editing() || delegate_->editedIndex().row() != view->recNo()))
        closeEditorQuietly();
}

void DataGrid::closeEditorQuietly() {
    commitFailed_ = false;
    if (QWidget* editor = delegate_->openEditor())
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool DataGrid::commitEditor() {
    QWidget* editor = delegate_->openEditor();
    if (!editor)
        return true;
    commitData(editor);
    return !commitFailed_;
}

bool DataGrid::commitEditors(Dataset& dataset) {
    bool taken = true;
    // A copy: committing may show an error box, and a grid may come or go
    // while it is open.
    const std::vector<QPointer<DataGrid>> grids(LiveGrids().begin(), LiveGrids().end());
    for (const QPointer<DataGrid>& grid : grids)
        if (grid && grid->dataset() == &dataset)
            taken = grid->commitEditor() && taken;
    return taken;
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    Dataset* view = dataset();
    const bool active = view && view->active();
    switch (event->key()) {
    case Qt::Key_Escape:
        // Taken even when there is nothing to drop: Esc in the grid must not
        // reach a dialog, which would close on it.
        if (active && view->editing()) {
            closeEditorQuietly();
            RunGuarded(dialogs_, [view] { view->cancel(); });
        }
        event->accept();
        return;
    case Qt::Key_Delete:
        if (modifiers == Qt::ControlModifier) {
            deleteCurrentRow();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier && cellsEditable()) {
            insertRow();
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    // An empty grid has no cell to type into; a typed character begins its
    // first row, as typing begins editing any other.
    const QString text = event->text();
    if (active && cellsEditable() && model_->rowCount() == 0 && !text.isEmpty() &&
        text.at(0).isPrint() &&
        !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        insertRow();
    QTableView::keyPressEvent(event);
    finishLeftEditor();
    followCursor();
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    finishLeftEditor();
    followCursor();
}

// The focus may reach the grid only once the button is up.
void DataGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    finishLeftEditor();
}

void DataGrid::finishLeftEditor() {
    // The cell editor does not commit when the focus goes to the grid itself;
    // if the grid then stayed on the row, the cell is closed here instead.
    QWidget* editor = delegate_->openEditor();
    if (!editor || editor->hasFocus() || !hasFocus())
        return;
    if (commitEditor())
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    else
        editor->setFocus();
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    // The base commits an open cell editor before anything moves.
    QTableView::currentChanged(current, previous);
    if (following_ || model_->updating() || !current.isValid())
        return;
    Dataset* view = dataset();
    if (!view || !view->active() || current.row() == view->recNo())
        return;
    if (!commitFailed_)
        moveDatasetTo(current.row());
    if (view->recNo() != current.row())
        followCursor();
}

void DataGrid::moveDatasetTo(int row) {
    Dataset* view = dataset();
    RunGuarded(dialogs_, [view, row] {
        // Leaving the row posts it, or drops it when nothing was typed. A
        // new row dropped, or a row the filter no longer shows, takes its
        // place with it, and the rows below move up by one.
        const int before = view->recordCount();
        const int at = view->recNo();
        if (view->editing()) {
            if (view->modified())
                view->post();
            else
                view->cancel();
        }
        int target = row;
        if (view->recordCount() < before && target > at)
            --target;
        view->moveTo(target);
    });
}

void DataGrid::insertRow() {
    Dataset* view = dataset();
    if (!view || !view->active() || !commitEditor())
        return;
    RunGuarded(dialogs_, [view] { view->insert(); });
    followCursor();
}

void DataGrid::deleteCurrentRow() {
    Dataset* view = dataset();
    if (readOnly_ || !view || !view->active() || view->recordCount() == 0)
        return;
    RunGuarded(dialogs_, [this, view] {
        if (dialogs_.confirmDeleteRecord())
            view->deleteRecord();
    });
    followCursor();
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool opens =
        index.isValid() && (model_->flags(index) & Qt::ItemIsEditable) &&
        state() != QAbstractItemView::EditingState &&
        trigger != QAbstractItemView::NoEditTriggers &&
        (trigger == QAbstractItemView::AllEditTriggers || (editTriggers() & trigger));
    if (opens) {
        Dataset* view = dataset();
        // Only the cursor's row is edited: a refused move leaves the cursor
        // on another row than the one clicked.
        if (!view || index.row() != view->recNo())
            return false;
        if (!view->editing() && !RunGuarded(dialogs_, [view] { view->edit(); }))
            return false;
    }
    return QTableView::edit(index, trigger, event);
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (hint == QAbstractItemDelegate::RevertModelCache) {
        // Esc in the cell drops the whole row's edit, as Esc in the grid does.
        closeEditorQuietly();
        if (Dataset* view = dataset(); view && view->editing())
            RunGuarded(dialogs_, [view] { view->cancel(); });
        return;
    }
    if (commitFailed_) {
        // The refused text stays in the cell for the operator to mend.
        editor->setFocus();
        return;
    }
    // The row is written when the cursor leaves it, not when a cell closes.
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (hint == QAbstractItemDelegate::EditNextItem ||
        hint == QAbstractItemDelegate::EditPreviousItem)
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

} // namespace tiravo
