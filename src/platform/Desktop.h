#pragma once

#include <QString>

namespace tiravo {

// Hands web addresses to the desktop's default browser.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Whether a browser opened is not looked at: the page is a courtesy.
    virtual void openWebAddress(const QString& address) = 0;
};

class SystemDesktop final : public Desktop {
public:
    void openWebAddress(const QString& address) override;
};

} // namespace tiravo
