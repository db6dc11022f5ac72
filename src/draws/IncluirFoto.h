#pragma once

#include "platform/Services.h"
#include "store/TableView.h"

#include <QDialog>

#include <functional>

class QKeyEvent;
class QLabel;
class QPushButton;

namespace tiravo {

class Connection;
class DriveSelector;
class FileList;
class FolderTree;

// "Incluir Fotos": puts the JPEG and GIF files of a folder into the photo
// pool, filling free slots first. The pool keeps each photo as the path of
// its file; no picture is opened here.
class TFIncluirFoto : public QDialog {
    Q_OBJECT
public:
    TFIncluirFoto(QWidget* parent, Connection& ADOConnection1, Services services);
    ~TFIncluirFoto() override;

    DriveSelector* DriveComboBox1;
    FolderTree* DirectoryListBox1;
    QLabel* Label1;
    QPushButton* BitBtn1; // "Incluir Foto"
    FileList* FileListBox1;
    QLabel* Label2;
    QLabel* Label3;

    TableView TbFoto;
    TableView TbFotoBranco; // the free slots

    void FormCreate();
    bool FormKeyDown(QKeyEvent* event);
    void BitBtn1Click();

private:
    void buildControls();
    void guarded(const std::function<void()>& handler);

    Services services_;
};

} // namespace tiravo
