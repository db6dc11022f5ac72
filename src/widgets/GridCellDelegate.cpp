#include "widgets/GridCellDelegate.h"

#include "widgets/DatasetModel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tiravo {

GridCellDelegate::GridCellDelegate(QObject* parent, std::function<void(bool)> committed,
                                   std::function<void()> deleteRow)
    : QStyledItemDelegate(parent), committed_(std::move(committed)),
      deleteRow_(std::move(deleteRow)) {}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    if (const QVariant font = index.data(Qt::FontRole); font.isValid())
        edit->setFont(font.value<QFont>());
    if (const QVariant alignment = index.data(Qt::TextAlignmentRole); alignment.isValid())
        edit->setAlignment(Qt::Alignment(alignment.toInt()));
    if (const int width = index.data(DatasetModel::kMaxLengthRole).toInt(); width > 0)
        edit->setMaxLength(width);
    if (index.data(DatasetModel::kWholeNumberRole).toBool())
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[-+]?[0-9]*")), edit));
    editor_ = edit;
    edited_ = index;
    return edit;
}

void GridCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == editor_) {
        editor_ = nullptr;
        edited_ = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    const auto* edit = qobject_cast<QLineEdit*>(editor);
    const bool taken = edit && model->setData(index, edit->text(), Qt::EditRole);
    committed_(taken);
}

bool GridCellDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
            deleteRow_();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // A message box or a popup has the focus only for a moment; the cell
        // stays open with what was typed, to be written when the operator
        // really leaves it.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        // The grid takes the focus back when it moves to another row, and
        // commits the cell then, once; committing here too would show a
        // refused text's error twice.
        if (QApplication::focusWidget() && QApplication::focusWidget() == parent())
            return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace tiravo
