#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

namespace tiravo {

// The cell editor of a data grid: a line edit in the column's font and
// alignment that takes no more characters than the field holds and, for
// whole numbers, only a sign and digits. It tells the grid whether each
// commit was taken, and hands Ctrl+Delete on to it.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridCellDelegate(QObject* parent, std::function<void(bool)> committed,
                     std::function<void()> deleteRow);

    QWidget* openEditor() const { return editor_; }
    QModelIndex editedIndex() const { return edited_; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    std::function<void(bool)> committed_;
    std::function<void()> deleteRow_;
    mutable QPointer<QWidget> editor_;
    mutable QPersistentModelIndex edited_;
};

} // namespace tiravo
