#include "platform/ui/MessageBoxDialogs.h"

#include "platform/ErrorText.h"
#include "platform/ui/FileFilter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace tiravo {

namespace {

QMessageBox::StandardButton ask(DialogKind kind, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton escape) {
    QMessageBox box(icon, dialogCaption(kind), text, buttons, QApplication::activeWindow());
    box.setEscapeButton(escape);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void tell(DialogKind kind, QMessageBox::Icon icon, const QString& text) {
    ask(kind, icon, text, QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace

void MessageBoxDialogs::notice(const QString& text) {
    tell(DialogKind::Notice, QMessageBox::NoIcon, text);
}

bool MessageBoxDialogs::confirm(const QString& text) {
    return ask(DialogKind::Confirmation, QMessageBox::Question, text,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxDialogs::information(const QString& text) {
    tell(DialogKind::Information, QMessageBox::Information, text);
}

void MessageBoxDialogs::error(const QString& message) {
    tell(DialogKind::Error, QMessageBox::Critical, errorBoxText(message));
}

bool MessageBoxDialogs::confirmDeleteRecord() {
    return ask(DialogKind::DeleteRecord, QMessageBox::Question,
               QString::fromLatin1(kDeleteRecordQuestion), QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<QString> MessageBoxDialogs::openFile(const OpenFileRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.start);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(fileDialogFilters(request.filter));
    QString extension = request.defaultExtension;
    extension.remove(QStringLiteral("*."));
    dialog.setDefaultSuffix(extension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> MessageBoxDialogs::chooseFolder(const QString& title, const QString& start) {
    const QString folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, start);
    if (folder.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(folder);
}

} // namespace tiravo
