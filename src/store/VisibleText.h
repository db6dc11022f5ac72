#pragma once

#include <QString>

namespace tiravo {

// Texts typed into a pool, imported from a file or taken from a file name
// may hold characters that nobody sees: a terminal acts on an escape
// sequence (a name can clear the screen or retitle the window), a carriage
// return writes the rest of a line over its start, and a direction override
// shows a name backwards. Outputs meant to be read show such characters by a
// code instead of sending them raw.

// The characters shown by a code: the C0 controls (tab, line feed and
// carriage return included), DEL, the C1 controls U+0080 to U+009F, the
// directional formatting characters (U+061C, U+200E, U+200F, U+202A to
// U+202E, U+2066 to U+2069), the line and paragraph separators U+2028 and
// U+2029, and the invisible U+200B, U+2060, U+FEFF and U+FFF9 to U+FFFB.
// The joiners U+200C and U+200D are kept: scripts and emoji need them.
bool IsHiddenCharacter(char16_t c);

enum class TextEscapes {
    // What a person reads (the dump, the winners and the record as text): a
    // backslash becomes \\, a tab, a line feed and a carriage return \t, \n
    // and \r, any other control or DEL \xNN (ESC is \x1B), any other hidden
    // character \uNNNN (U+202E is \u202E). The text keeps to one line and
    // every escape can be undone.
    Readable,
    // A spreadsheet cell, which RFC 4180 quoting carries tabs and line breaks
    // in: those stay, a backslash stays, and every other hidden character is
    // written as above, so that no cell sends a terminal a control.
    CsvCell,
    // The form the record of draws hashes its rows and fingerprints in: only
    // the backslash, the tab, the line feed and the carriage return escaped.
    // Rows written long ago must keep verifying, so it never learns more.
    RecordHash,
};

QString EscapeText(const QString& text, TextEscapes escapes);

} // namespace tiravo
