#pragma once

#include "platform/Services.h"
#include "store/TableView.h"

#include "widgets/GuardedWindow.h"

#include <functional>

class QLabel;
class QPushButton;

namespace tiravo {

class AppContext;
class DriveSelector;
class FileList;
class FolderTree;

// "Incluir Fotos": puts the JPEG and GIF files of a folder into the photo
// pool, filling free slots first. The pool keeps each photo as the path of
// its file; each file is read once here, and one that the draw screen could
// not show is left out and named to the operator.
class TFIncluirFoto : public GuardedWindow {
    Q_OBJECT
public:
    TFIncluirFoto(QWidget* parent, AppContext& context);

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
    void BitBtn1Click();

private:
    void buildControls();

    Services services_;
};

} // namespace tiravo
