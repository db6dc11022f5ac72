#pragma once

#include "platform/Pause.h"

namespace tiravo {

class RepaintPause final : public Pause {
public:
    void showFor(QWidget* control, int milliseconds) override;
};

} // namespace tiravo
