#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>

#include <deque>

namespace tiravo {

// One box or dialog a window asked for, as the operator would have seen it.
struct AskedDialog {
    DialogKind kind;
    QString caption;        // for file dialogs, the title
    QString text;           // the error box's text with its period; a file dialog's filter
    QString start;          // file dialogs only
    bool defaultNo = false; // a confirmation whose default button is No
    int proposed = 0;       // the number a number question offered
};

// Answers from a script and writes down everything asked.
//
// The script is one queue shared by all questions, answered in the order they
// are asked. An answer of the wrong kind for the question fails the test.
// With the queue empty, every question gets the answer that changes nothing:
// No, Cancel, or no file or folder. A test that cares whether a question was
// asked at all checks asked().
class FakeDialogs final : public Dialogs {
public:
    void answerYes();              // a confirmation, or OK to "Delete record?"
    void answerNo();               // a confirmation, or Cancel to "Delete record?"
    void answerPath(QString path); // a file or folder dialog
    void answerCancel();           // a file or folder dialog, or a line of text
    void answerText(QString text); // OK to a line of text, with `text` typed
    // OK to a number question with `number` given, even one out of its range
    // (the question is written down as its text and " [minimum..maximum]"):
    // what the window does with such an answer is what is tested.
    void answerNumber(int number);

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

    const QList<AskedDialog>& asked() const { return asked_; }
    // The texts of every box asked of one kind, in order.
    QStringList texts(DialogKind kind) const;
    // Answers scripted but never asked for.
    std::size_t unusedAnswers() const { return script_.size(); }
    void clear();

private:
    struct Answer {
        bool isPath;
        bool yes;                    // confirmations
        std::optional<QString> path; // dialogs; the text typed into a line
    };

    bool nextYes(DialogKind kind);
    std::optional<QString> nextPath(DialogKind kind);
    void record(DialogKind kind, QString caption, QString text, QString start = {});

    std::deque<Answer> script_;
    QList<AskedDialog> asked_;
};

} // namespace tiravo
