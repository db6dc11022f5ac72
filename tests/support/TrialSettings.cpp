#include "support/TrialSettings.h"

#include "store/ConnectionText.h"
#include "store/DatabasePassword.h"

#include <QtGlobal>

#include <random>

namespace tiravo::test {

int TrialsAsked(const char* variable, int byDefault) {
    bool ok = false;
    const int asked = qEnvironmentVariableIntValue(variable, &ok);
    return ok && asked > 0 ? asked : byDefault;
}

std::uint32_t SeedAsked(const char* variable) {
    bool ok = false;
    const uint asked = qEnvironmentVariable(variable).toUInt(&ok);
    return ok ? asked : std::random_device{}();
}

QString ProgramConnectionText(const QString& path) {
    return ConnectionTextFor(path) + JoinDatabasePassword();
}

} // namespace tiravo::test
