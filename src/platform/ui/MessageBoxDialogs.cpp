#include "platform/ui/MessageBoxDialogs.h"

#include "platform/ErrorText.h"
#include "platform/ui/FileFilter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

#include <utility>

namespace tiravo {

namespace {

// A box sized by a short text alone, such as "Qual o nome?", is narrower than
// its title bar needs, and the window manager then cuts the caption to "...".
// The title bar holds the caption, in a bold face, beside the system menu's
// icon and up to three boxes, each about a title bar's height wide.
void KeepCaptionWhole(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont title = box.font();
    title.setBold(true);
    const int buttons = 4 * box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    const int margins = 2 * box.style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, &box);
    const int room = QFontMetrics(title).horizontalAdvance(box.windowTitle()) + buttons + margins;
    grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

// The program's boxes keep their buttons' own words whatever language Qt's
// dialogs speak: the boxes are the program's, not Qt's.
void NameButtons(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> kWords[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "Cancel"},
        {QMessageBox::Yes, "&Yes"},
        {QMessageBox::No, "&No"},
    };
    for (const auto& [which, words] : kWords)
        if (QAbstractButton* button = box.button(which))
            button->setText(QString::fromLatin1(words));
}

QMessageBox::StandardButton ask(DialogKind kind, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton escape,
                                QMessageBox::StandardButton preset = QMessageBox::NoButton) {
    QMessageBox box(icon, dialogCaption(kind), text, buttons, QApplication::activeWindow());
    NameButtons(box);
    box.setEscapeButton(escape);
    if (preset != QMessageBox::NoButton)
        box.setDefaultButton(preset);
    KeepCaptionWhole(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void tell(DialogKind kind, QMessageBox::Icon icon, const QString& text) {
    ask(kind, icon, text, QMessageBox::Ok, QMessageBox::Ok);
}

std::optional<QString> askFile(const OpenFileRequest& request, QFileDialog::AcceptMode accept,
                               QFileDialog::FileMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.start);
    dialog.setAcceptMode(accept);
    dialog.setFileMode(mode);
    dialog.setNameFilters(fileDialogFilters(request.filter));
    QString extension = request.defaultExtension;
    extension.remove(QStringLiteral("*."));
    dialog.setDefaultSuffix(extension);
    // A name typed without an extension gets that of the kind chosen in the
    // dialog: "premiados" saved as CSV is "premiados.csv".
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& kind) {
                         const QString suffix = FirstExtensionOf(kind);
                         if (!suffix.isEmpty())
                             dialog.setDefaultSuffix(suffix);
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

} // namespace

void MessageBoxDialogs::notice(const QString& text) {
    tell(DialogKind::Notice, QMessageBox::NoIcon, text);
}

bool MessageBoxDialogs::confirm(const QString& text) {
    return ask(DialogKind::Confirmation, QMessageBox::Question, text,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxDialogs::confirmDefaultNo(const QString& text) {
    return ask(DialogKind::Confirmation, QMessageBox::Question, text,
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
               QMessageBox::No) == QMessageBox::Yes;
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
    return askFile(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
}

std::optional<QString> MessageBoxDialogs::saveFile(const OpenFileRequest& request) {
    return askFile(request, QFileDialog::AcceptSave, QFileDialog::AnyFile);
}

std::optional<QString> MessageBoxDialogs::chooseFolder(const QString& title, const QString& start) {
    const QString folder =
        QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, start);
    if (folder.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(folder);
}

std::optional<QString> MessageBoxDialogs::askText(const QString& text, int maxLength) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(dialogCaption(DialogKind::TextInput));
    dialog.setLabelText(text);
    dialog.setInputMode(QInputDialog::TextInput);
    // The line refuses more than the file keeps, rather than cutting it off.
    if (auto* line = dialog.findChild<QLineEdit*>())
        line->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<int> MessageBoxDialogs::askNumber(const QString& text, int proposed, int minimum,
                                                int maximum) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(dialogCaption(DialogKind::NumberInput));
    dialog.setLabelText(text);
    dialog.setInputMode(QInputDialog::IntInput);
    // The spin box keeps to the range; a number typed beyond it is not taken.
    dialog.setIntRange(minimum, maximum);
    dialog.setIntValue(proposed);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

} // namespace tiravo
