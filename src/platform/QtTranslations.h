#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>

namespace tiravo {

// Qt's own words (the file and folder dialogs, an edit box's menu) in the
// language of `locale`, from the translations of Qt installed on the system,
// installed for as long as the answer lives. Null when the system has none
// for that language: Qt's words then stay in English. The program's own
// texts are written in its language and never pass through here; its message
// boxes name their buttons themselves.
std::unique_ptr<QTranslator> InstallQtTranslations(const QLocale& locale);

} // namespace tiravo
