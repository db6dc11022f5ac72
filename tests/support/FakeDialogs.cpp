#include "support/FakeDialogs.h"

#include "platform/ErrorText.h"

#include <gtest/gtest.h>

namespace tiravo {

namespace {

const char* kindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::Notice:
        return "notice";
    case DialogKind::Confirmation:
        return "confirmation";
    case DialogKind::Information:
        return "information";
    case DialogKind::Error:
        return "error";
    case DialogKind::DeleteRecord:
        return "delete record";
    case DialogKind::OpenFile:
        return "open file";
    case DialogKind::ChooseFolder:
        return "choose folder";
    case DialogKind::SaveFile:
        return "save file";
    case DialogKind::TextInput:
        return "text input";
    case DialogKind::NumberInput:
        return "number input";
    }
    return "?";
}

} // namespace

void FakeDialogs::answerYes() {
    script_.push_back({false, true, std::nullopt});
}

void FakeDialogs::answerNo() {
    script_.push_back({false, false, std::nullopt});
}

void FakeDialogs::answerPath(QString path) {
    script_.push_back({true, false, std::move(path)});
}

void FakeDialogs::answerCancel() {
    script_.push_back({true, false, std::nullopt});
}

void FakeDialogs::answerText(QString text) {
    script_.push_back({true, false, std::move(text)});
}

void FakeDialogs::notice(const QString& text) {
    record(DialogKind::Notice, dialogCaption(DialogKind::Notice), text);
}

bool FakeDialogs::confirm(const QString& text) {
    record(DialogKind::Confirmation, dialogCaption(DialogKind::Confirmation), text);
    return nextYes(DialogKind::Confirmation);
}

bool FakeDialogs::confirmDefaultNo(const QString& text) {
    record(DialogKind::Confirmation, dialogCaption(DialogKind::Confirmation), text);
    asked_.last().defaultNo = true;
    return nextYes(DialogKind::Confirmation);
}

void FakeDialogs::information(const QString& text) {
    record(DialogKind::Information, dialogCaption(DialogKind::Information), text);
}

void FakeDialogs::error(const QString& message) {
    record(DialogKind::Error, dialogCaption(DialogKind::Error), errorBoxText(message));
}

bool FakeDialogs::confirmDeleteRecord() {
    record(DialogKind::DeleteRecord, dialogCaption(DialogKind::DeleteRecord),
           QString::fromLatin1(kDeleteRecordQuestion));
    return nextYes(DialogKind::DeleteRecord);
}

std::optional<QString> FakeDialogs::openFile(const OpenFileRequest& request) {
    record(DialogKind::OpenFile, request.title, request.filter, request.start);
    return nextPath(DialogKind::OpenFile);
}

std::optional<QString> FakeDialogs::saveFile(const OpenFileRequest& request) {
    record(DialogKind::SaveFile, request.title, request.filter, request.start);
    return nextPath(DialogKind::SaveFile);
}

std::optional<QString> FakeDialogs::chooseFolder(const QString& title, const QString& start) {
    record(DialogKind::ChooseFolder, title, QString(), start);
    return nextPath(DialogKind::ChooseFolder);
}

std::optional<QString> FakeDialogs::askText(const QString& text, int maxLength) {
    record(DialogKind::TextInput, dialogCaption(DialogKind::TextInput), text);
    std::optional<QString> typed = nextPath(DialogKind::TextInput);
    // The real line takes no more than maxLength characters.
    if (typed)
        typed->truncate(maxLength);
    return typed;
}

void FakeDialogs::answerNumber(int number) {
    script_.push_back({true, false, QString::number(number)});
}

std::optional<int> FakeDialogs::askNumber(const QString& text, int proposed, int minimum,
                                          int maximum) {
    record(DialogKind::NumberInput, dialogCaption(DialogKind::NumberInput),
           QStringLiteral("%1 [%2..%3]").arg(text).arg(minimum).arg(maximum));
    asked_.last().proposed = proposed;
    const std::optional<QString> typed = nextPath(DialogKind::NumberInput);
    if (!typed)
        return std::nullopt;
    return typed->toInt();
}

QStringList FakeDialogs::texts(DialogKind kind) const {
    QStringList result;
    for (const AskedDialog& dialog : asked_) {
        if (dialog.kind == kind)
            result.append(dialog.text);
    }
    return result;
}

void FakeDialogs::clear() {
    script_.clear();
    asked_.clear();
}

bool FakeDialogs::nextYes(DialogKind kind) {
    if (script_.empty())
        return false;
    const Answer answer = script_.front();
    script_.pop_front();
    if (answer.isPath) {
        ADD_FAILURE() << "FakeDialogs: box " << asked_.size() << " is a " << kindName(kind)
                      << " question, but the next scripted answer is a path";
        return false;
    }
    return answer.yes;
}

std::optional<QString> FakeDialogs::nextPath(DialogKind kind) {
    if (script_.empty())
        return std::nullopt;
    const Answer answer = script_.front();
    script_.pop_front();
    if (!answer.isPath) {
        ADD_FAILURE() << "FakeDialogs: box " << asked_.size() << " is a " << kindName(kind)
                      << " dialog, but the next scripted answer is Yes or No";
        return std::nullopt;
    }
    return answer.path;
}

void FakeDialogs::record(DialogKind kind, QString caption, QString text, QString start) {
    asked_.append({kind, std::move(caption), std::move(text), std::move(start)});
}

} // namespace tiravo
