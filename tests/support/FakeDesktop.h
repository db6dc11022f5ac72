#pragma once

#include "platform/Desktop.h"

#include <QStringList>

namespace tiravo {

class FakeDesktop final : public Desktop {
public:
    void openWebAddress(const QString& address) override { opened.append(address); }

    QStringList opened;
};

} // namespace tiravo
