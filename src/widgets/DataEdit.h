#pragma once

#include <QLineEdit>

namespace tiravo {

class Dataset;
class Dialogs;

// A one-line edit bound to a field of the dataset's current row: it shows the
// field, and typing begins editing the row and writes the text to the field.
class DataEdit : public QLineEdit {
    Q_OBJECT
public:
    DataEdit(QWidget* parent, Dialogs& dialogs);
    void setField(Dataset* dataset, const QString& field);

private:
    void showField();

    Dialogs& dialogs_;
    Dataset* dataset_ = nullptr;
    QString field_;
};

} // namespace tiravo
