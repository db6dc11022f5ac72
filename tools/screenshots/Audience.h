#pragma once

#include <QDir>

#include <functional>

class QImage;

namespace tiravo {

// The audience's screen of each draw screen after a draw, without and with
// a prize plan, as the second monitor of the platform shows it
// (NAME-audience-WxH.png and NAME-audience-plan-WxH.png). The draws are
// real ones on the demo file the screenshots are made from, with frames that
// take no time.
int RunAudience(const QDir& folder,
                const std::function<void(const QImage&, const QString&)>& write);

} // namespace tiravo
