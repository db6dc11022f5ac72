#pragma once

#include "platform/Dialogs.h"

namespace tiravo {

// The real boxes, each modal over the window that is active when it is asked.
class MessageBoxDialogs final : public Dialogs {
public:
    void notice(const QString& text) override;
    bool confirm(const QString& text) override;
    bool confirmDefaultNo(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& message) override;
    bool confirmDeleteRecord() override;
    std::optional<QString> openFile(const OpenFileRequest& request) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& start) override;
    std::optional<QString> saveFile(const OpenFileRequest& request) override;
    std::optional<QString> askText(const QString& text, int maxLength) override;
    std::optional<int> askNumber(const QString& text, int proposed, int minimum,
                                 int maximum) override;
};

} // namespace tiravo
