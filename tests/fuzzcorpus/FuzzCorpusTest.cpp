// Every fuzz target's entry over its corpus in fuzz/corpus/<target>/: the
// seeds and every input that once failed, so a mended fault stays mended.
#include "FuzzEntry.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace tiravo::fuzz {

namespace {

std::map<std::string, Entry>& entries() {
    static std::map<std::string, Entry> registered;
    return registered;
}

} // namespace

bool registerEntry(const char* name, Entry entry) {
    entries()[name] = entry;
    return true;
}

void fail(const std::string& what) {
    throw Broken(what);
}

namespace {

QDir corpusFolder() {
    return QDir(QStringLiteral(TIRAVO_FUZZ_CORPUS_DIR));
}

TEST(FuzzCorpus, EveryTargetHasACorpusAndEveryCorpusATarget) {
    ASSERT_GE(entries().size(), 5u);
    const QStringList folders = corpusFolder().entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QStringList names;
    for (const auto& [name, entry] : entries())
        names.append(QString::fromStdString(name));
    EXPECT_EQ(folders.join(u' ').toStdString(), names.join(u' ').toStdString());
}

TEST(FuzzCorpus, EveryInputPasses) {
    for (const auto& [name, entry] : entries()) {
        QDir folder = corpusFolder();
        ASSERT_TRUE(folder.cd(QString::fromStdString(name))) << name;
        const QStringList files = folder.entryList(QDir::Files, QDir::Name);
        EXPECT_FALSE(files.isEmpty()) << name << " has no seeds";
        for (const QString& file : files) {
            SCOPED_TRACE(name + "/" + file.toStdString());
            QFile input(folder.filePath(file));
            ASSERT_TRUE(input.open(QIODevice::ReadOnly));
            const QByteArray bytes = input.readAll();
            try {
                entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                      std::size_t(bytes.size()));
            } catch (const Broken& broken) {
                ADD_FAILURE() << broken.what();
            } catch (const std::exception& error) {
                ADD_FAILURE() << "escaped: " << error.what();
            }
        }
    }
}

} // namespace
} // namespace tiravo::fuzz
