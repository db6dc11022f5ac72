#include "draws/model/DemoFile.h"

#include "common/Error.h"
#include "draws/model/OrderKey.h"
#include "store/FileBuilding.h"
#include "store/RowWriter.h"
#include "store/WriteScope.h"

#include <QDir>

namespace tiravo {

namespace {

Value Text(const QString& text) {
    return text;
}

Value Number(int number) {
    return std::int64_t{number};
}

} // namespace

const QStringList& DemoNames() {
    static const QStringList names = {
        QStringLiteral("Ana Beatriz Souza"),        QStringLiteral("João Pedro Almeida"),
        QStringLiteral("Maria Eduarda Conceição"),  QStringLiteral("Luís Henrique Gonçalves"),
        QStringLiteral("Letícia Fernandes Araújo"), QStringLiteral("José Antônio Ribeiro"),
        QStringLiteral("Júlia Castro Magalhães"),   QStringLiteral("Caio Vinícius Moreira"),
        QStringLiteral("Beatriz Lúcia Pereira"),    QStringLiteral("André Luiz Carvalho"),
        QStringLiteral("Gabriela Simões Teixeira"), QStringLiteral("Otávio Brandão Lima"),
        QStringLiteral("Camila Estêvão Rocha"),     QStringLiteral("Sérgio Augusto Pinheiro"),
        QStringLiteral("Lívia Monteiro Falcão"),    QStringLiteral("Márcio Tavares Quintão"),
        QStringLiteral("Helena Guimarães Costa"),   QStringLiteral("Fábio Nogueira Assunção"),
        QStringLiteral("Vitória Azevedo Leão"),     QStringLiteral("Rogério Batista Sampaio"),
        QStringLiteral("Isabela Cristina Damião"),  QStringLiteral("Thiago Mendonça Barros"),
        QStringLiteral("Natália Prudêncio Vaz"),    QStringLiteral("Vinícius Coelho Aragão"),
        QStringLiteral("Cecília Marques Bastos"),   QStringLiteral("Rafael Antunes Galvão"),
        QStringLiteral("Débora Valadão Freitas"),   QStringLiteral("Mateus Conrado Figueiró"),
        QStringLiteral("Lúcia Helena Paixão"),      QStringLiteral("Benedito Aurélio Cunha"),
        QStringLiteral("Renata Salgueiro Lopes"),   QStringLiteral("Gustavo Lacerda Peçanha"),
        QStringLiteral("Sônia Regina Trindade"),    QStringLiteral("Ícaro Damasceno Prates"),
        QStringLiteral("Patrícia Lemos Vieira"),    QStringLiteral("Ênio Carneiro Bragança"),
    };
    return names;
}

void FillDemo(Connection& connection, const DemoPictureFiles& pictures, Random& random) {
    WriteScope batch(connection, WriteScope::Keeps::WhatWasWritten);

    RowWriter(connection, QStringLiteral("Usuario"))
        .add({{"Nome", Text(QStringLiteral("demo"))}, {"Senha", Text(QStringLiteral("demo"))}});

    // Numbers not yet in a winners list: Ativo False, Sorte null.
    RowWriter numbers(connection, QStringLiteral("TbNumero"));
    for (int number = 1; number <= 90; ++number)
        numbers.add({{"Numero", Number(number)},
                     {"Ordem", Text(NewOrderKey(random))},
                     {"Ok", true},
                     {"Ativo", false}});

    RowWriter names(connection, QStringLiteral("TbNome"));
    for (const QString& name : DemoNames())
        names.add({{"Nome", Text(name)},
                   {"Ordem", Text(NewOrderKey(random))},
                   {"Ok", true},
                   {"Ativo", true}});

    RowWriter photos(connection, QStringLiteral("TbFoto"));
    for (const QString& photo : pictures.photos)
        photos.add({{"Foto", Text(photo)},
                    {"Ordem", Text(NewOrderKey(random))},
                    {"Ok", true},
                    {"Ativo", true}});

    // An empty TelaFundo lets the main window show its built-in background.
    RowWriter(connection, QStringLiteral("TbImage"))
        .add({{"Logo1", Text(pictures.logos.value(0))},
              {"Logo2", Text(pictures.logos.value(1))},
              {"Logo3", Text(pictures.logos.value(2))},
              {"TelaFundo", Text(QString())}});
}

DemoPictureFiles BuildDemoFile(const QString& path, bool force, Random& random) {
    // Before any picture is written, so that a refusal leaves no trace.
    RequireReplaceable(path, force);
    const DemoPictureFiles pictures = DemoPicturePaths(path);
    for (const QString& picture : pictures.photos + pictures.logos)
        if (!FitsColumn(QStringLiteral("TbFoto"), QStringLiteral("Foto"), picture))
            throw Error(QStringLiteral("The path of the demo picture '%1' is longer than the "
                                       "200 characters the database keeps; choose a file in "
                                       "a shorter folder")
                            .arg(QDir::toNativeSeparators(picture)));
    // The pictures are written under the build's lock, so that two builders
    // never write one picture at once.
    BuildDatabaseFile(path, force, [&](Connection& connection) {
        WriteDemoPictures(pictures);
        FillDemo(connection, pictures, random);
    });
    return pictures;
}

} // namespace tiravo
