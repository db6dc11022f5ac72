#include "shell/Menu.h"

#include "branding/Korvane.h"
#include "branding/MakerSite.h"
#include "branding/Parceiros.h"
#include "common/Error.h"
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "platform/Desktop.h"
#include "platform/ErrorText.h"
#include "platform/Pictures.h"
#include "shell/Acesso.h"
#include "shell/Usuario.h"
#include "store/ConnectionText.h"
#include "store/DatabasePassword.h"
#include "widgets/HandlerGuard.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/PictureBox.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

namespace tiravo {

namespace {
const QString kBuiltInBackground = QStringLiteral("background.jpg");
}

TFMenu::TFMenu(AppContext& context)
    : ADOConnection1(context.ADOConnection1), TbImage(context.TbImage),
      TbUsuario(context.TbUsuario), dsUsuario(context.dsUsuario), context_(context),
      services_(context.services) {
    InitResources();
    setObjectName(QStringLiteral("FMenu"));
    setWindowTitle(QStringLiteral("Tiravo -:- Sistema para Sorteios"));
    setFont(PointFont(QStringLiteral("MS Sans Serif"), 8));
    resize(997, 479 + 60 + 19);

    // A bar of its own exact height: a dock-area toolbar would size itself to
    // its buttons.
    ToolBar1 = new QFrame(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(60);
    ToolBar1->setFrameShape(QFrame::NoFrame);
    ToolBar1->setStyleSheet(
        QStringLiteral("QFrame#ToolBar1 { border-bottom: 1px solid palette(mid); }"));
    toolBarLayout_ = new QHBoxLayout(ToolBar1);
    toolBarLayout_->setContentsMargins(0, 2, 0, 3);
    toolBarLayout_->setSpacing(0);
    setMenuWidget(ToolBar1);
    ToolButton1 = addToolButton(QStringLiteral("ToolButton1"), QStringLiteral("tool-number.png"),
                                QStringLiteral("Número"), &TFMenu::ToolButton1Click);
    ToolButton2 = addToolButton(QStringLiteral("ToolButton2"), QStringLiteral("tool-name.png"),
                                QStringLiteral("Nome"), &TFMenu::ToolButton2Click);
    ToolButton3 = addToolButton(QStringLiteral("ToolButton3"), QStringLiteral("tool-photo.png"),
                                QStringLiteral("Foto"), &TFMenu::ToolButton3Click);
    addSeparator(QStringLiteral("ToolButton7"));
    ToolButton8 = addToolButton(QStringLiteral("ToolButton8"), QStringLiteral("tool-partners.png"),
                                QStringLiteral("Parceiros"), &TFMenu::ToolButton8Click);
    ToolButton9 = addToolButton(QStringLiteral("ToolButton9"), QStringLiteral("tool-access.png"),
                                QString(), &TFMenu::ToolButton9Click);
    ToolButton4 = addToolButton(QStringLiteral("ToolButton4"), QStringLiteral("tool-maker.png"),
                                QStringLiteral("Korvane"), &TFMenu::ToolButton4Click);
    addSeparator(QStringLiteral("ToolButton6"));
    ToolButton5 = addToolButton(QStringLiteral("ToolButton5"), QStringLiteral("tool-exit.png"),
                                QString(), &TFMenu::ToolButton5Click);
    toolBarLayout_->addStretch(1);

    Image1 = new PictureBox(this, PictureMode::Stretch);
    Image1->setObjectName(QStringLiteral("Image1"));
    setCentralWidget(Image1);
    Image2 = new PictureBox(this, PictureMode::Stretch);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPicture(BuiltInPicture(kBuiltInBackground), BuiltInPicturePath(kBuiltInBackground));
    Image2->hide();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(19);
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel1 = new QLabel(QStringLiteral("18,1123"), StatusBar1);
    StatusPanel1->setFixedWidth(120);
    StatusPanel1->setAlignment(Qt::AlignCenter);
    StatusPanel2 = new QLabel(QLatin1String(kMakerHost), StatusBar1);
    StatusPanel2->setAlignment(Qt::AlignCenter);
    StatusBar1->addWidget(StatusPanel1);
    StatusBar1->addWidget(StatusPanel2, 1);
    setStatusBar(StatusBar1);
    // The arrow keys walk the toolbar; Enter or space presses its button.
    keys_ = new KeyboardConventions(this);

    context_.showBackground = [this](const QString& path) { ShowBackground(path); };
    FormCreate();
}

TFMenu::~TFMenu() {
    context_.showBackground = [](const QString&) {};
}

QToolButton* TFMenu::addToolButton(const QString& name, const QString& picture, const QString& hint,
                                   void (TFMenu::*handler)()) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(name);
    button->setFixedSize(122, 54);
    button->setIcon(QIcon(QPixmap::fromImage(BuiltInPicture(picture))));
    button->setIconSize(QSize(48, 48));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(hint);
    connect(button, &QToolButton::clicked, this, [this, handler] {
        RunGuarded(services_.dialogs, [this, handler] { (this->*handler)(); });
    });
    toolBarLayout_->addWidget(button);
    return button;
}

void TFMenu::addSeparator(const QString& name) {
    auto* gap = new QWidget(ToolBar1);
    gap->setObjectName(name);
    gap->setFixedSize(8, 54);
    toolBarLayout_->addWidget(gap);
}

void TFMenu::FormCreate() {
    // Nothing guards the connection: its error is shown and the rest of the
    // creation is skipped; the program starts all the same.
    RunGuarded(services_.dialogs, [this] {
        const QString password = JoinDatabasePassword();
        const QString file = QDir::toNativeSeparators(FixedDatabasePath());
        ADOConnection1.close();
        ADOConnection1.setConnectionText(ConnectionTextFor(FixedDatabasePath()) + password);
        try {
            ADOConnection1.open();
        } catch (const Error& error) {
            // The first box a user meets with a file that will not open: it
            // says where the file is and how to look at it.
            throw Error(openFailureText(error, file));
        }
        // Said once; each command that would write is refused on its own.
        if (ADOConnection1.readOnly())
            services_.dialogs.notice(readOnlyNotice(file));
        TbImage.open();
    });
}

bool TFMenu::Start() {
    FormShow();
    if (closed_)
        return false;
    showMaximized();
    return true;
}

void TFMenu::FormShow() {
    TFUsuario login(this, context_);
    login.exec();
}

bool TFMenu::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TFMenu::showBuiltInBackground() {
    Image1->setPicture(Image2->picture(), Image2->pictureName());
}

void TFMenu::FormActivate() {
    // The view is read anew, so a background stored by another window since
    // the start shows at once instead of the one read at start-up.
    QString path;
    try {
        TbImage.close();
        TbImage.open();
        path = TbImage.field(QStringLiteral("TelaFundo")).asString();
    } catch (const std::exception&) {
        path.clear();
    }
    ShowBackground(path);
}

void TFMenu::ShowBackground(const QString& path) {
    if (path.isEmpty()) {
        showBuiltInBackground();
        return;
    }
    try {
        Image1->setPicture(LoadPictureToFit(path, Image1->size(), Qt::IgnoreAspectRatio), path);
    } catch (const std::exception&) {
        showBuiltInBackground();
    }
}

void TFMenu::ToolButton1Click() {
    TFVantaNumero window(this, context_);
    window.exec();
}

void TFMenu::ToolButton2Click() {
    TFVantaNome window(this, context_);
    window.exec();
}

void TFMenu::ToolButton3Click() {
    TFVantaFoto window(this, context_);
    window.exec();
}

void TFMenu::ToolButton8Click() {
    TFParceiros window(this, context_);
    window.exec();
}

void TFMenu::ToolButton9Click() {
    // The operators' window is there to change the list of operators.
    ADOConnection1.requireWritable();
    TFAcesso window(this, context_);
    window.exec();
}

void TFMenu::ToolButton4Click() {
    {
        TFKorvane window(this, context_);
        window.exec();
    }
    // However the about window closed, the product page follows.
    services_.desktop.openWebAddress(MakerPage(QStringLiteral("/tiravo.html")));
}

void TFMenu::ToolButton5Click() {
    close();
}

void TFMenu::closeEvent(QCloseEvent* event) {
    closed_ = true;
    event->accept();
}

} // namespace tiravo
