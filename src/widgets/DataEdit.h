#pragma once

#include <QLineEdit>

namespace tiravo {

class Dataset;
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
    Dataset* dataset_ = nullptr;
    QString field_;
};

} // namespace tiravo
