#include "widgets/HandlerGuard.h"

#include "common/Error.h"
#include "platform/Dialogs.h"
#include "platform/ErrorText.h"

#include <exception>

namespace tiravo {

bool RunGuarded(Dialogs& dialogs, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const Error& error) {
        dialogs.error(operatorText(error));
    } catch (const std::exception& error) {
        // Not ours, but the operator still reads what went wrong, and the
        // program goes on as after any other error.
        dialogs.error(QString::fromUtf8(error.what()));
    }
    return false;
}

} // namespace tiravo
