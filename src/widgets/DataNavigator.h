#pragma once

#include <QWidget>

#include <map>
#include <vector>

class QToolButton;

namespace tiravo {

class Dataset;
class Dialogs;

enum class NavigatorButton {
    First,
    Prior,
    Next,
    Last,
    Insert,
    Delete,
    Edit,
    Post,
    Cancel,
    Refresh
};

// The record navigator: a row of buttons that move the cursor and begin,
// store or drop a row, each enabled as the dataset's state allows. Delete
// asks "Delete record?" first.
class DataNavigator : public QWidget {
    Q_OBJECT
public:
    DataNavigator(QWidget* parent, Dialogs& dialogs);

    void setDataset(Dataset* dataset);
    // The buttons shown, in this order, sharing the width equally.
    void setButtons(const std::vector<NavigatorButton>& buttons);
    void setHints(const std::map<NavigatorButton, QString>& hints);
    void setFlat(bool flat);
    QToolButton* button(NavigatorButton which) const;

    // Presses a button as the operator would (guarded); a button that is
    // not shown or not enabled does nothing.
    void press(NavigatorButton which);

    // The hint a button shows unless setHints gives another.
    static QString defaultHint(NavigatorButton which);

private:
    void act(NavigatorButton which);
    void updateEnabled();
    void placeButtons();
    void resizeEvent(QResizeEvent* event) override;

    Dialogs& dialogs_;
    Dataset* dataset_ = nullptr;
    std::vector<NavigatorButton> order_;
    std::map<NavigatorButton, QToolButton*> buttons_;
};

} // namespace tiravo
