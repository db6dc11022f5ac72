#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tiravo {

std::unique_ptr<QTranslator> InstallQtTranslations(const QLocale& locale) {
    auto translator = std::make_unique<QTranslator>();
    // "qt" gathers the catalogues of every Qt module (Portugal's is one file,
    // Brazil's refers to qtbase and the rest), and load() tries the locale's
    // languages from the most to the least particular ("pt-BR", then "pt").
    if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace tiravo
