#pragma once

#include "platform/AppContext.h"

#include <QMainWindow>

class QLabel;
class QStatusBar;
class QFrame;
class QHBoxLayout;
class QToolButton;

namespace tiravo {

class KeyboardConventions;
class PictureBox;

// The main window. It opens the run's one database connection and keeps it,
// with the operators' view, for the whole run (both live in the shared
// context); it runs the login before it is first shown and opens every other
// window modally from its toolbar.
class TFMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMenu(AppContext& context);
    ~TFMenu() override;

    // Runs the login and, after a successful one, shows the window maximised.
    // Answers false when the program ended before the window was shown.
    bool Start();
    bool closed() const { return closed_; }

    Services services() const { return context_.services; }
    AppContext& context() const { return context_; }

    // Shows the background picture file at `path` in Image1: the built-in
    // picture for an empty path or a file that cannot be shown, without a
    // message. The partners window shows its choice through here at once.
    void ShowBackground(const QString& path);

    Connection& ADOConnection1;
    TableView& TbImage;
    TableView& TbUsuario;
    Dataset& dsUsuario; // the data source the login and administration windows use

    QFrame* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton2;
    QToolButton* ToolButton3;
    QToolButton* ToolButton8;
    QToolButton* ToolButton9;
    QToolButton* ToolButton4;
    QToolButton* ToolButton5;
    PictureBox* Image1;
    PictureBox* Image2;
    QStatusBar* StatusBar1;
    QLabel* StatusPanel1;
    QLabel* StatusPanel2;

    void FormCreate();
    void FormShow();
    void FormActivate();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton3Click();
    void ToolButton8Click();
    void ToolButton9Click();
    void ToolButton4Click();
    void ToolButton5Click();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QToolButton* addToolButton(const QString& name, const QString& picture, const QString& hint,
                               void (TFMenu::*handler)());
    void addSeparator(const QString& name);
    void showBuiltInBackground();

    QHBoxLayout* toolBarLayout_;
    KeyboardConventions* keys_;
    AppContext& context_;
    Services services_;
    bool closed_ = false;
};

} // namespace tiravo
