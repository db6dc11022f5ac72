#pragma once

#include <QStringList>

namespace tiravo {

// Turns the program's filter text, "Description|*.a;*.b|Description|*.c", into
// the choices of a file dialog, "Description (*.a *.b)" and "Description (*.c)".
// A description without patterns (an odd count of parts) gets none and is
// left out; empty patterns are dropped.
QStringList fileDialogFilters(const QString& filter);

// The extension of the first pattern of a file dialog's choice: "xlsx" for
// "Planilha (*.xlsx *.csv)"; empty when it names none ("*").
QString FirstExtensionOf(const QString& choice);

} // namespace tiravo
