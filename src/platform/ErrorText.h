#pragma once

#include <QString>

namespace tiravo {

class Error;

// The text the standard error box shows for an error message: the message
// itself, closed with a period when its last character sorts after "." by
// character code. Letters, digits, '?' and ':' sort after it and get the
// period; '!', ')' and '.' itself sort before or at it and are left alone.
// An empty message stays empty: a lone period would tell the operator nothing.
QString errorBoxText(const QString& message);

// What the operator reads for an error. The failures of the database file he
// can mend himself (it cannot be opened, cannot be written, its disk is full,
// another program holds it, it is damaged) are told in Portuguese, naming the
// file and what to do; every other error keeps its own text. The error's own
// message is left as it is, for the database tool.
QString operatorText(const Error& error);

// What the operator reads when the database file `file` cannot be opened at
// the start: what went wrong, where the file is, and how to check it.
QString openFailureText(const Error& error, const QString& file);

// Shown once, when the program opens a file it cannot write.
QString readOnlyNotice(const QString& file);

} // namespace tiravo
