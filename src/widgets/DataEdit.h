#pragma once

#include "store/Dataset.h"

#include <QLineEdit>
#include <QPointer>

namespace tiravo {

class Dialogs;

// A one-line edit bound to a field of the dataset's current row: it shows the
// field, and typing begins editing the row and writes the text to the field.
// With no row to write into (no dataset, a closed one, an unknown field or
// the key) it is read-only.
class DataEdit : public QLineEdit {
    Q_OBJECT
public:
    DataEdit(QWidget* parent, Dialogs& dialogs);
    void setField(Dataset* dataset, const QString& field);
    const QString& field() const { return field_; }

private:
    void showField();
    void write(const QString& text);
    int fieldIndex() const;

    Dialogs& dialogs_;
    // Null again as soon as the dataset goes, whoever destroys it first.
    QPointer<Dataset> dataset_;
    QString field_;
};

} // namespace tiravo
