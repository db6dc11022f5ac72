#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace tiravo {

void SystemDesktop::openWebAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace tiravo
