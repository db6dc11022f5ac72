#pragma once

#include <QString>

#include <optional>

namespace tiravo {

// The application title, caption of the plain and error boxes.
inline constexpr char kApplicationTitle[] = "Tiravo";

// Every modal question and message the windows ask goes through here, so that
// no test ever blocks on a real box.
enum class DialogKind {
    Notice,       // plain box, one OK button
    Confirmation, // question icon, Yes and No
    Information,  // information icon, one OK button
    Error,        // stop icon, one OK button
    DeleteRecord, // question icon, OK and Cancel
    OpenFile,
    ChooseFolder,
    SaveFile,
    TextInput,   // a line of text, OK and Cancel
    NumberInput, // a whole number in a range, OK and Cancel
};

// The caption each kind of message box carries. A question box is captioned by
// what it is, "Confirm", and so is the information box, "Information"; the
// notice and the error box carry the application title. File dialogs carry the
// title their request gives.
QString dialogCaption(DialogKind kind);

inline constexpr char kDeleteRecordQuestion[] = "Delete record?";

// A file to open, or to save (SaveFile takes the same request).
struct OpenFileRequest {
    QString title;
    // Choices in the form "Description|patterns|Description|patterns", the
    // patterns of one choice separated by ';'. The first choice is preselected.
    QString filter;
    // Offered when the operator types a name without one, e.g. "txt" or "*.txt".
    QString defaultExtension;
    // A folder to open in, or a file to offer again (its folder opens).
    QString start;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual void notice(const QString& text) = 0;
    // True only for Yes.
    virtual bool confirm(const QString& text) = 0;
    // The same box, but Enter alone answers No: for a question whose Yes the
    // operator may well not mean.
    virtual bool confirmDefaultNo(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    // The standard error box: shows errorBoxText(message).
    virtual void error(const QString& message) = 0;
    // Asks kDeleteRecordQuestion; true only for OK.
    virtual bool confirmDeleteRecord() = 0;

    // The chosen file's full path, or nothing when the operator cancels.
    virtual std::optional<QString> openFile(const OpenFileRequest& request) = 0;
    // The chosen folder's full path, or nothing when the operator cancels.
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& start) = 0;
    // The full path to save to, or nothing when the operator cancels. `start`
    // may name the file to offer; replacing an existing file is confirmed in
    // the dialog itself.
    virtual std::optional<QString> saveFile(const OpenFileRequest& request) = 0;
    // `text` over a line of at most `maxLength` characters, with OK and
    // Cancel: what was typed, perhaps nothing, for OK; no answer for Cancel.
    virtual std::optional<QString> askText(const QString& text, int maxLength) = 0;
    // `text` over a whole number from `minimum` to `maximum`, `proposed`
    // offered, with OK and Cancel: the number for OK; no answer for Cancel.
    virtual std::optional<int> askNumber(const QString& text, int proposed, int minimum,
                                         int maximum) = 0;
};

inline QString dialogCaption(DialogKind kind) {
    switch (kind) {
    case DialogKind::Confirmation:
    case DialogKind::DeleteRecord:
        return QStringLiteral("Confirm");
    case DialogKind::Information:
        return QStringLiteral("Information");
    case DialogKind::Notice:
    case DialogKind::Error:
    case DialogKind::OpenFile:
    case DialogKind::ChooseFolder:
    case DialogKind::SaveFile:
    case DialogKind::TextInput:
    case DialogKind::NumberInput:
        break;
    }
    return QString::fromLatin1(kApplicationTitle);
}

} // namespace tiravo
