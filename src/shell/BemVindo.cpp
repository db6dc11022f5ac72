#include "shell/BemVindo.h"

#include "draws/model/DemoFile.h"
#include "platform/Dialogs.h"
#include "platform/ErrorText.h"
#include "store/FileBuilding.h"
#include "widgets/ControlKit.h"
#include "widgets/WindowLook.h"

#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiravo {

namespace {

// The widths of Usuario's columns: what is typed is what the login compares,
// so nothing may be cut when it is stored.
constexpr int kNameWidth = 30;
constexpr int kPasswordWidth = 20;

QLabel* WrappedLabel(QWidget* parent, const QString& name, const QString& text,
                     const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    return label;
}

QLineEdit* NamedEdit(QWidget* parent, const QString& name, int maxLength, const QRect& place) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    edit->setGeometry(place);
    return edit;
}

} // namespace

TFBemVindo::TFBemVindo(QWidget* parent, Services services, QString path)
    : GuardedWindow(parent, services.dialogs, QStringLiteral("FBemVindo"),
                    {QStringLiteral("Bem-vindo ao Tiravo"), QSize(460, 476),
                     PointFont(QStringLiteral("Arial"), 10)}),
      services_(services), path_(std::move(path)) {
    Label1 =
        NamedLabel(this, QStringLiteral("Label1"), QStringLiteral("Bem-vindo ao Tiravo"), 24, 16);
    Label1->setFont(PointFont(QStringLiteral("Arial"), 15, true));
    Label1->adjustSize();
    Label2 = WrappedLabel(this, QStringLiteral("Label2"),
                          QStringLiteral("Este computador ainda não tem o arquivo dos sorteios. "
                                         "Para começar, crie o primeiro operador: é com este "
                                         "nome e esta senha que se entra no programa."),
                          QRect(24, 54, 412, 54));
    Label3 = WrappedLabel(this, QStringLiteral("Label3"), QStringLiteral("Nome do operador"),
                          QRect(24, 114, 220, 18));
    EditNome = NamedEdit(this, QStringLiteral("EditNome"), kNameWidth, QRect(24, 132, 220, 26));
    Label4 = WrappedLabel(this, QStringLiteral("Label4"), QStringLiteral("Senha"),
                          QRect(24, 168, 220, 18));
    EditSenha =
        NamedEdit(this, QStringLiteral("EditSenha"), kPasswordWidth, QRect(24, 186, 220, 26));
    HidePasswordWithHashes(EditSenha);
    Label5 = WrappedLabel(this, QStringLiteral("Label5"), QStringLiteral("Repita a senha"),
                          QRect(24, 222, 220, 18));
    EditSenha2 =
        NamedEdit(this, QStringLiteral("EditSenha2"), kPasswordWidth, QRect(24, 240, 220, 26));
    HidePasswordWithHashes(EditSenha2);
    BitBtn1 = Place(NamedButton(this, QStringLiteral("BitBtn1"), QStringLiteral("Criar")), 24, 282,
                    150, 34);
    // Enter in any of the three edits creates.
    BitBtn1->setDefault(true);

    auto* line = Place(new QFrame(this), 24, 332, 412, 2);
    line->setObjectName(QStringLiteral("Bevel1"));
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    Label6 = WrappedLabel(this, QStringLiteral("Label6"),
                          QStringLiteral("Ou experimente o programa com sorteios de demonstração "
                                         "já prontos: entre com o operador demo e a senha demo."),
                          QRect(24, 346, 412, 40));
    BitBtn2 = Place(NamedButton(this, QStringLiteral("BitBtn2"),
                                QStringLiteral("Experimentar com a demonstração")),
                    24, 390, 260, 34);

    Label7 = WrappedLabel(this, QStringLiteral("Label7"), QString(), QRect(24, 436, 412, 34));
    Label7->setFont(PointFont(QStringLiteral("Arial"), 8));
    SetTextColor(Label7, QColor(0x55, 0x55, 0x55));
    const QString native = QDir::toNativeSeparators(path_);
    Label7->setText(QStringLiteral("O arquivo fica em:\n") +
                    QFontMetrics(Label7->font()).elidedText(native, Qt::ElideMiddle, 412));
    Label7->setToolTip(native);

    for (QPushButton* button : {BitBtn1, BitBtn2})
        button->setCursor(Qt::PointingHandCursor);
    setTabOrder(EditNome, EditSenha);
    setTabOrder(EditSenha, EditSenha2);
    setTabOrder(EditSenha2, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    wire(BitBtn1, &TFBemVindo::BitBtn1Click);
    wire(BitBtn2, &TFBemVindo::BitBtn2Click);
    EditNome->setFocus();
}

void TFBemVindo::BitBtn1Click() {
    const QString name = EditNome->text();
    const QString password = EditSenha->text();
    if (name.trimmed().isEmpty()) {
        dialogs_.notice(QStringLiteral("Digite o nome do operador."));
        EditNome->setFocus();
        return;
    }
    if (password.isEmpty()) {
        dialogs_.notice(QStringLiteral("Digite a senha do operador."));
        EditSenha->setFocus();
        return;
    }
    if (EditSenha2->text() != password) {
        dialogs_.notice(QStringLiteral("As duas senhas não são iguais. Digite a senha outra vez "
                                       "nos dois campos."));
        EditSenha->clear();
        EditSenha2->clear();
        EditSenha->setFocus();
        return;
    }
    makeFile([&] { BuildEmptyDatabaseFile(path_, false, FirstOperator{name, password}); });
}

void TFBemVindo::BitBtn2Click() {
    makeFile([this] { BuildDemoFile(path_, false, services_.random); });
}

void TFBemVindo::makeFile(const std::function<void()>& build) {
    const QString native = QDir::toNativeSeparators(path_);
    try {
        build();
    } catch (const DatabaseFileExists&) {
        // The file of the copy that was first stays as it was made.
        dialogs_.notice(QStringLiteral("Outra cópia do programa criou o arquivo %1 enquanto esta "
                                       "janela estava aberta, e nada foi criado aqui. Entre com "
                                       "um operador desse arquivo.")
                            .arg(native));
    } catch (const Error& error) {
        dialogs_.error(QStringLiteral("O arquivo %1 não pôde ser criado: %2")
                           .arg(native, operatorText(error)));
        return;
    }
    accept();
}

bool FirstStart(Services services, const QString& path) {
    if (!NothingAt(path))
        return true;
    TFBemVindo window(nullptr, services, path);
    return window.exec() == QDialog::Accepted;
}

} // namespace tiravo
