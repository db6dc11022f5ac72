#pragma once

#include "store/Value.h"

#include <QString>

namespace tiravo {

enum class ColumnType { Key, Integer, SmallInt, Text, Boolean };

// A column as a view declares it: the table's column with the width, Required
// flag and display format that view gives it.
struct Column {
    QString name;
    ColumnType type = ColumnType::Text;
    int width = 0; // characters, for text columns
    bool required = false;
    QString displayFormat; // "00": at least two digits

    // The value that a text stands for, following the program's conversion
    // rules; throws Error with the operator's message when it stands for none.
    Value parseText(const QString& text) const;

    // The value made fit to be stored: numbers checked against their range,
    // texts cut to the width. Throws Error for a value of the wrong kind.
    Value fit(const Value& value) const;

    // The text a value reads as: the empty text for null, the display format
    // for integers that have one.
    QString formatText(const Value& value) const;
};

// Text cut to at most `width` characters, never splitting a character that
// takes two UTF-16 units.
QString CutToWidth(const QString& text, int width);

} // namespace tiravo
