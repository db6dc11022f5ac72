#include "Demo.h"

#include "DemoPictures.h"
#include "RowWriter.h"
#include "draws/model/OrderKey.h"
#include "store/WriteScope.h"

namespace tiravo::db {

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

} // namespace tiravo::db
