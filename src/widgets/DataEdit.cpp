#include "widgets/DataEdit.h"

#include "store/Dataset.h"
#include "widgets/HandlerGuard.h"

namespace tiravo {

DataEdit::DataEdit(QWidget* parent, Dialogs& dialogs) : QLineEdit(parent), dialogs_(dialogs) {
    // textEdited, not textChanged: showing another row's value is not typing.
    connect(this, &QLineEdit::textEdited, this, &DataEdit::write);
    showField();
}

void DataEdit::setField(Dataset* dataset, const QString& field) {
    if (dataset_)
        dataset_->disconnect(this);
    dataset_ = dataset;
    field_ = field;
    if (dataset_) {
        connect(dataset_, &Dataset::cursorMoved, this, &DataEdit::showField);
        connect(dataset_, &Dataset::rowsChanged, this, &DataEdit::showField);
        connect(dataset_, &Dataset::stateChanged, this, &DataEdit::showField);
        connect(dataset_, &Dataset::fieldChanged, this, &DataEdit::showField);
        connect(dataset_, &QObject::destroyed, this, &DataEdit::showField);
    }
    showField();
}

int DataEdit::fieldIndex() const {
    if (!dataset_ || !dataset_->active())
        return -1;
    return dataset_->fieldIndex(field_);
}

void DataEdit::showField() {
    const int index = fieldIndex();
    QString text;
    bool writable = false;
    if (index >= 0) {
        const Field field = dataset_->field(static_cast<std::size_t>(index));
        text = field.asString();
        writable = field.column().type != ColumnType::Key;
        // The field holds no more; typing on would only be cut off.
        setMaxLength(field.column().type == ColumnType::Text && field.column().width > 0
                         ? field.column().width
                         : 32767);
    }
    setReadOnly(!writable);
    // Setting the same text again would put the caret at the end while the
    // operator types in the middle.
    if (text != this->text())
        setText(text);
}

void DataEdit::write(const QString& text) {
    const int index = fieldIndex();
    if (index < 0)
        return;
    Dataset& dataset = *dataset_;
    const bool taken = RunGuarded(dialogs_, [&] {
        if (!dataset.editing())
            dataset.edit();
        dataset.field(static_cast<std::size_t>(index)).setAsString(text);
    });
    if (!taken)
        showField();
}

} // namespace tiravo
