#include "draws/IncluirFoto.h"

#include "draws/model/PhotoCheck.h"
#include "draws/model/PhotoSlots.h"
#include "draws/model/PoolColumns.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "widgets/ControlKit.h"
#include "widgets/DriveSelector.h"
#include "widgets/FileList.h"
#include "widgets/FolderTree.h"
#include "widgets/WindowLook.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>

namespace tiravo {

namespace {

const QString kPhotoMask = QStringLiteral("*.jpg; *.gif;");

// A folder of thousands of photos takes seconds to read.
CheckedPhotos CheckPhotosWaiting(const QStringList& paths) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    return CheckPhotos(paths);
}

} // namespace

TFIncluirFoto::TFIncluirFoto(QWidget* parent, AppContext& context)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FIncluirFoto"),
                    {.caption = QStringLiteral("Incluir Fotos"),
                     .client = QSize(392, 536),
                     .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      TbFoto(context.ADOConnection1,
             {.table = QStringLiteral("TbFoto"), .filter = QStringLiteral("Foto > ''")}),
      TbFotoBranco(context.ADOConnection1, {.table = QStringLiteral("TbFoto"),
                                            .columns = {"Cod", "Foto", "Ordem", "Ok"},
                                            .filter = QStringLiteral("Foto = ''")}),
      services_(context.services) {
    commandsWriteTo(context.ADOConnection1);
    buildControls();
    guarded([this] { FormCreate(); });
}

void TFIncluirFoto::buildControls() {
    DriveComboBox1 = Place(new DriveSelector(this), 16, 16, 225, 19);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DirectoryListBox1 = Place(new FolderTree(this), 16, 40, 225, 97);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));

    Label1 = NamedLabel(this, QStringLiteral("Label1"), QStringLiteral("*.jpg; *.gif"), 272, 48);
    Label1->setFont(PixelFont(QStringLiteral("Arial"), 19));
    Label1->adjustSize();

    BitBtn1 = Place(NamedButton(this, QStringLiteral("BitBtn1"), QStringLiteral("Incluir Foto")),
                    256, 96, 115, 41);
    BitBtn1->setCursor(Qt::PointingHandCursor);
    wire(BitBtn1, &TFIncluirFoto::BitBtn1Click);

    FileListBox1 = Place(new FileList(this, kPhotoMask), 16, 148, 361, 308);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));

    Label2 = NamedLabel(this, QStringLiteral("Label2"),
                        QStringLiteral("Tamanho ideal das fotos: 640 x 480"), 40, 472);
    Label2->setFont(PixelFont(QStringLiteral("Trebuchet MS"), 19));
    SetTextColor(Label2, QColor(0x80, 0x00, 0x00));
    Label2->adjustSize();
    Label3 = NamedLabel(this, QStringLiteral("Label3"),
                        QStringLiteral("Fotos grandes deixam o processo mais lento"), 64, 504);
    Label3->setFont(PixelFont(QStringLiteral("Trebuchet MS"), 13));
    Label3->adjustSize();

    // The chain: a place shows its folders from its root, a folder its files.
    connect(DriveComboBox1, &DriveSelector::driveChanged, this, [this](const QString& root) {
        DirectoryListBox1->setDirectory(root, root);
        FileListBox1->setDirectory(root);
    });
    connect(DirectoryListBox1, &FolderTree::directoryChanged, this,
            [this](const QString& folder) { FileListBox1->setDirectory(folder); });
    QString current = QDir::currentPath();
    // A current folder removed meanwhile has no path left to show.
    if (!QFileInfo(current).isDir())
        current = QDir::homePath();
    DriveComboBox1->showFolder(current);
    DirectoryListBox1->setDirectory(DriveComboBox1->drive(), current);
    FileListBox1->setDirectory(current);

    setTabOrder(DirectoryListBox1, FileListBox1);
    setTabOrder(FileListBox1, DriveComboBox1);
    setTabOrder(DriveComboBox1, BitBtn1);
}

void TFIncluirFoto::FormCreate() {
    TbFoto.open();
    TbFotoBranco.open();
}

void TFIncluirFoto::BitBtn1Click() {
    QStringList paths;
    for (int row = 0; row < FileListBox1->count(); ++row)
        paths << FileListBox1->filePath(row);
    // An empty folder would otherwise be answered with the success message.
    if (paths.isEmpty()) {
        services_.dialogs.notice(
            QStringLiteral("Não há fotos (*.jpg; *.gif) nesta pasta para incluir."));
        return;
    }
    // Refused before the question, so that nothing of the folder is stored.
    const QString tooLong = PhotoPathTooLong(paths, TbFoto.field(kFoto).column().width);
    if (!tooLong.isEmpty()) {
        services_.dialogs.notice(tooLong);
        return;
    }
    if (services_.dialogs.confirm(
            QStringLiteral("Tem certeza que deseja inclur esta(s) foto(s)?"))) {
        FileListBox1->setFocus();
        FileListBox1->setCurrentRow(0);
        // Every file is read before the pool's write lock is taken.
        const CheckedPhotos checked = CheckPhotosWaiting(paths);
        AddPhotos(TbFoto, TbFotoBranco, checked.sound, services_.random);
        // Nothing is painted during the loop; the selection ends on the last.
        FileListBox1->setCurrentRow(FileListBox1->count() - 1);
        if (!checked.refused.isEmpty())
            services_.dialogs.notice(RefusedPhotosMessage(checked.refused));
    }
    services_.dialogs.notice(QStringLiteral("Fotos incluidas com sucesso!"));
    TbFoto.close();
    TbFoto.open();
    TbFotoBranco.close();
    TbFotoBranco.open();
}

} // namespace tiravo
