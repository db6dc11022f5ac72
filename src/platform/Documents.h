#pragma once

#include <QString>

namespace tiravo {

// The folder the save dialogs open in: the user's documents folder, where
// people look for what a program wrote, or the home folder when the system
// names none or it is not there (a new account before its first login to a
// desktop).
QString DocumentsFolder();

// `file` in that folder: the name a save dialog offers.
QString InDocuments(const QString& file);

// The notice that a file was saved, naming where.
QString SavedFileText(const QString& path);

} // namespace tiravo
