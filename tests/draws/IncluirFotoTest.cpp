// The photo list editor driven through its controls, over real files in a
// temporary folder.
#include "draws/IncluirFoto.h"
#include "common/Error.h"
#include "draws/model/PhotoSlots.h"
#include "support/PictureSamples.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/DriveSelector.h"
#include "widgets/FileList.h"
#include "widgets/FolderTree.h"
#include "widgets/WidgetTesting.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

const QString kQuestion = QStringLiteral("Tem certeza que deseja inclur esta(s) foto(s)?");
const QString kDone = QStringLiteral("Fotos incluidas com sucesso!");

class IncluirFoto : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(photos.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(photos.path()));
        folder = QDir::currentPath();
    }
    void TearDown() override { QDir::setCurrent(previous); }

    // A sound photo, a GIF or a JPEG by its name.
    void touch(const QString& name, const QString& in = {}) {
        const QImage picture = test::quadrants(QSize(32, 24));
        write(name,
              name.endsWith(".gif", Qt::CaseInsensitive) ? test::encodeGif(picture)
                                                         : test::encodeJpeg(picture),
              in);
    }

    void write(const QString& name, const QByteArray& bytes, const QString& in = {}) {
        QFile file(QDir(in.isEmpty() ? folder : in).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    std::unique_ptr<TFIncluirFoto> open() {
        auto w = std::make_unique<TFIncluirFoto>(nullptr, fake.context(db.connection()));
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    QStringList column(const char* name) {
        return ColumnOf(db.connection(), QString::fromLatin1(name), QStringLiteral("TbFoto"));
    }

    QString path(const QString& name) const { return folder + QLatin1Char('/') + name; }

    test::TempDatabase db;
    TestServices fake;
    QTemporaryDir photos;
    QString previous;
    QString folder;
};

TEST_F(IncluirFoto, TheWindowAsDesignedOpensOnTheCurrentFolderAndClosesOnEsc) {
    touch("b.gif");
    touch("A.jpg");
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Incluir Fotos");
    EXPECT_EQ(w->size(), QSize(392, 536));
    EXPECT_EQ(w->Label2->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
    EXPECT_EQ(w->TbFoto.filter(), "Foto > ''");
    EXPECT_EQ(w->TbFotoBranco.filter(), "Foto = ''");
    EXPECT_TRUE(w->TbFoto.active() && w->TbFotoBranco.active());

    EXPECT_EQ(w->DirectoryListBox1->directory(), folder);
    EXPECT_EQ(w->FileListBox1->fileNames(), QStringList({"A.jpg", "b.gif"}));
    EXPECT_TRUE(folder.startsWith(w->DriveComboBox1->drive()));

    w->DirectoryListBox1->setFocus();
    for (QWidget* next : std::initializer_list<QWidget*>{w->FileListBox1, w->DriveComboBox1,
                                                         w->BitBtn1, w->DirectoryListBox1}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(IncluirFoto, ThePlacesFolderTreeAndFileListAreChainedAndShowingAFolderMakesItCurrent) {
    ASSERT_TRUE(QDir(folder).mkpath("Festa/Palco"));
    ASSERT_TRUE(QDir(folder).mkdir(".escondida"));
    touch("um.jpg", path("Festa"));
    auto w = open();
    EXPECT_TRUE(w->FileListBox1->fileNames().isEmpty());

    // Below the shown folder, its subfolders; hidden ones are not offered.
    QTreeWidgetItem* shown = w->DirectoryListBox1->currentItem();
    ASSERT_EQ(shown->childCount(), 1);
    w->DirectoryListBox1->setFocus();
    w->DirectoryListBox1->setCurrentItem(shown->child(0));
    QTest::keyClick(w->DirectoryListBox1, Qt::Key_Return);
    EXPECT_EQ(w->DirectoryListBox1->directory(), path("Festa"));
    EXPECT_EQ(w->FileListBox1->fileNames(), QStringList({"um.jpg"}));
    EXPECT_EQ(QDir::currentPath(), path("Festa"));
    EXPECT_EQ(FolderTree::folderOf(w->DirectoryListBox1->currentItem()->child(0)),
              path("Festa/Palco"));

    // The next editor opens where this one ended.
    w.reset();
    w = open();
    EXPECT_EQ(w->FileListBox1->directory(), path("Festa"));

    // Another place shows its folders from its root.
    const QString home = QDir::homePath();
    const int other = w->DriveComboBox1->drive() == home ? 0 : w->DriveComboBox1->findData(home);
    ASSERT_GE(other, 0);
    w->DriveComboBox1->setCurrentIndex(other);
    const QString root = w->DriveComboBox1->drive();
    EXPECT_EQ(w->DirectoryListBox1->directory(), root);
    EXPECT_EQ(w->FileListBox1->directory(), root);
    EXPECT_EQ(QDir::currentPath(), root);

    // A current folder removed meanwhile: the editor opens on the home folder.
    w.reset();
    ASSERT_TRUE(QDir::setCurrent(path("Festa/Palco")));
    ASSERT_TRUE(QDir(path("Festa")).removeRecursively());
    w = open();
    EXPECT_EQ(w->FileListBox1->directory(), QDir::cleanPath(QDir::homePath()));

    const std::vector<FilePlace> places = {{"/", "/"}, {"/home/ana", "~"}, {"/media/usb", "usb"}};
    EXPECT_EQ(PlaceHolding(places, "/home/ana/Fotos"), 1);
    EXPECT_EQ(PlaceHolding(places, "/home/anabela"), 0);
    EXPECT_EQ(PlaceHolding(places, "/media/usb"), 2);
    EXPECT_EQ(PlaceHolding({{"/home/ana", "~"}}, "/tmp"), -1);
}

TEST_F(IncluirFoto, FreeSlotsAreFilledFirstInTheStoresOrderThenNewRowsFollow) {
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo, Sorte) VALUES ('/x/old.jpg', 'mmmm', "
            "0, 1, 1)");
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo, Sorte) VALUES ('', 'aaaa', NULL, 0, 7)");
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo, Sorte) VALUES ('', 'bbbb', NULL, 1, "
            "NULL)");
    for (const char* name : {"c.GIF", "a.jpg", "B.JPG", "d.png", "e.jpeg", ".f.jpg"})
        touch(name);
    ASSERT_TRUE(QDir(folder).mkdir("g.jpg"));
    ASSERT_TRUE(QFile::link(path("g.jpg"), path("h.jpg")));
    auto w = open();
    EXPECT_EQ(w->FileListBox1->fileNames(), QStringList({"a.jpg", "B.JPG", "c.GIF"}));

    fake.random.script({25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14});
    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);

    EXPECT_EQ(column("Foto"),
              QStringList({"/x/old.jpg", path("a.jpg"), path("B.JPG"), path("c.GIF")}));
    EXPECT_EQ(column("Ok"), QStringList({"False", "True", "True", "True"}));
    // A filled slot keeps its Ativo and Sorte; a new row is Ativo, unplaced.
    EXPECT_EQ(column("Ativo"), QStringList({"True", "False", "True", "True"}));
    EXPECT_EQ(column("Sorte"), QStringList({"1", "7", "", ""}));
    EXPECT_EQ(column("Ordem"), QStringList({"mmmm", "zyxw", "vuts", "rqpo"}));
    // Fresh entropy before each slot's key; a new row continues the sequence.
    EXPECT_EQ(fake.random.trace(), "riiiiriiiiiiii");
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation), QStringList({kQuestion}));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice), QStringList({kDone}));
    EXPECT_EQ(w->FileListBox1->currentRow(), 2);
    // Both views read the table again.
    EXPECT_EQ(w->TbFoto.recordCount(), 4);
    EXPECT_EQ(w->TbFotoBranco.recordCount(), 0);

    // The same folder again adds every photo again.
    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(column("Foto").count(path("a.jpg")), 2);
    EXPECT_EQ(column("Foto").size(), 7);
}

TEST_F(IncluirFoto, ASlotFilledByAnotherProgramMeanwhileKeepsItsPhoto) {
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) VALUES ('', 'aaaa', NULL, 1)");
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) VALUES ('', 'bbbb', NULL, 1)");
    touch("a.jpg");
    touch("b.jpg");
    auto w = open();
    auto other = db.openSecond();
    other->execute("UPDATE TbFoto SET Foto = '/outro/foto.jpg', Ok = 1 WHERE Cod = 1");
    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(column("Foto"), QStringList({"/outro/foto.jpg", path("a.jpg"), path("b.jpg")}));
    EXPECT_EQ(column("Ativo"), QStringList(3, "True"));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty());
    EXPECT_EQ(w->TbFoto.recordCount(), 3);
}

TEST_F(IncluirFoto, NoAddsNothingButStillReportsSuccessAndRereadsTheViews) {
    touch("a.jpg");
    auto w = open();
    db.exec("INSERT INTO TbFoto (Foto, Ok, Ativo) VALUES ('/elsewhere.jpg', 1, 1)");
    EXPECT_EQ(w->TbFoto.recordCount(), 0);
    fake.dialogs.answerNo();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(column("Foto"), QStringList({"/elsewhere.jpg"}));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice), QStringList({kDone}));
    EXPECT_EQ(w->TbFoto.recordCount(), 1);
    EXPECT_EQ(fake.random.trace(), "");
}

TEST_F(IncluirFoto, AStoreErrorEndsTheAdditionKeepingThePhotosStoredBeforeIt) {
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) VALUES ('', 'aaaa', NULL, 1)");
    touch("a.jpg");
    touch("b.jpg");
    auto w = open();
    w->TbFoto.close();
    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(column("Foto"), QStringList({path("a.jpg")}));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"Cannot perform this operation on a closed dataset."}));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Notice).isEmpty());
}

TEST_F(IncluirFoto, AnEmptyListIsRefusedBeforeTheQuestion) {
    touch("a.png");
    auto w = open();
    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(column("Foto").isEmpty());
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Confirmation).isEmpty());
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Não há fotos (*.jpg; *.gif) nesta pasta para incluir."}));
}

TEST_F(IncluirFoto, APathLongerThanTheColumnIsRefusedBeforeAnyPhotoIsStored) {
    // A folder whose photos' paths reach the 200 characters exactly, and one
    // photo whose path goes past them.
    const int room = 200 - static_cast<int>(folder.size()) - 1 - 6;
    ASSERT_GT(room, 10);
    const QString deep = QString(room, QLatin1Char('p'));
    ASSERT_TRUE(QDir(folder).mkdir(deep));
    const QString inside = folder + QLatin1Char('/') + deep;
    touch("a.jpg", inside);
    touch("b.jpg", inside);
    touch("zz.jpg", inside);
    ASSERT_EQ((inside + "/a.jpg").size(), 200);
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) VALUES ('', 'aaaa', NULL, 1)");
    QDir::setCurrent(inside);
    auto w = open();
    ASSERT_EQ(w->FileListBox1->count(), 3);

    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(column("Foto"), QStringList({""}));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Confirmation).isEmpty());
    const QStringList notices = fake.dialogs.texts(DialogKind::Notice);
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].startsWith("A foto \"zz.jpg\" não pode ser incluída"))
        << notices[0].toStdString();
    EXPECT_TRUE(notices[0].contains(" tem 201 caracteres, mais do que os 200 "))
        << notices[0].toStdString();

    // The rule itself refuses too, writing nothing, whoever calls it.
    EXPECT_THROW(AddPhotos(w->TbFoto, w->TbFotoBranco, {inside + "/zz.jpg"}, fake.random), Error);
    EXPECT_EQ(column("Foto"), QStringList({""}));

    QFile::remove(inside + "/zz.jpg");
    w.reset();
    w = open();
    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(column("Foto"), QStringList({inside + "/a.jpg", inside + "/b.jpg"}));
}

// A file the draw screen could not show would stop every draw whose frames
// pass over it: it is left out, and named to the operator after the adding.
TEST_F(IncluirFoto, FilesTheDrawScreenCouldNotShowAreLeftOutAndNamedAfterTheAdding) {
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) VALUES ('', 'aaaa', NULL, 1)");
    touch("a.jpg");
    touch("c.gif");
    ASSERT_TRUE(QFile::link(path("a.jpg"), path("l.jpg"))); // a link to a photo is a photo
    const QByteArray jpeg = test::encodeJpeg(test::quadrants(QSize(320, 240)));
    write("b.jpg", jpeg.left(jpeg.size() / 2));
    const QByteArray gif = test::encodeGif(test::quadrants(QSize(320, 240)));
    write("d.gif", gif.left(gif.size() - 40));
    write("e.jpg", {});
    write("f.jpg", "Maria da Silva\r\n");
    // A header that announces 60000 x 60000 pixels.
    QByteArray huge = jpeg;
    const qsizetype frame = huge.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    qToBigEndian(quint16(60000), huge.data() + frame + 5);
    qToBigEndian(quint16(60000), huge.data() + frame + 7);
    write("g.jpg", huge);
    auto w = open();
    ASSERT_EQ(w->FileListBox1->count(), 8);

    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(column("Foto"), QStringList({path("a.jpg"), path("c.gif"), path("l.jpg")}));
    EXPECT_EQ(column("Ok"), QStringList(3, "True"));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Estas fotos não foram incluídas porque o arquivo está danificado ou "
                           "não é uma imagem válida:\nb.jpg\nd.gif\ne.jpg\nf.jpg\ng.jpg",
                           kDone}));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty());
    EXPECT_EQ(w->TbFoto.recordCount(), 3);
}

TEST_F(IncluirFoto, HundredsOfRefusedFilesAreNamedTwentyAndCounted) {
    for (int i = 0; i < 250; ++i)
        write(QStringLiteral("p%1.jpg").arg(i, 3, 10, QLatin1Char('0')), "x");
    touch("q.jpg");
    auto w = open();
    fake.dialogs.answerYes();
    QTest::mouseClick(w->BitBtn1, Qt::LeftButton);
    EXPECT_EQ(column("Foto"), QStringList({path("q.jpg")}));
    const QStringList notices = fake.dialogs.texts(DialogKind::Notice);
    ASSERT_EQ(notices.size(), 2);
    const QStringList lines = notices[0].split(u'\n');
    ASSERT_EQ(lines.size(), 22);
    EXPECT_EQ(lines[1], "p000.jpg");
    EXPECT_EQ(lines[20], "p019.jpg");
    EXPECT_EQ(lines[21], "e mais 230");
    EXPECT_EQ(notices[1], kDone);
}

} // namespace
} // namespace tiravo
