#pragma once

#include <QString>

namespace tiravo {

// What an operator did to a pool, as the record names it.
enum class RecordAction {
    Draw,        // "Fazer Sorteio"
    HiddenPick,  // "Quem Será": out of the pool without a place
    TakeOut,     // the name editor's ">>>": into the winners list by hand
    Return,      // the name editor's "<<<": back from the winners list
    NameAdded,   // the name editor's "Incluir", and an entry typed into an editor's grid
    NameRemoved, // the name editor's "Remover", and a row deleted in an editor's grid
    Clear,       // "Limpar Lista", "Excluir Lista"
    Release,     // "Liberar Todos"
    Import,      // the name editor's "Importar"
    Range,       // the number editor's range
    Photos,      // the photo editor's folder
    Edit,        // an entry's text changed in an editor's grid or edit box
    Prizes,      // the pool's prize plan changed: no entry moves
    Absence,     // "Ganhador ausente...": a winner's place is vacant again
    // One draw of "Sortear vários...": a draw like any other, whose row's
    // Quantidade names its batch by the Sequencia of the batch's first draw
    // (the first draw's row names itself).
    BatchDraw,
    // "Apresentação": the sound, the calm mode or the audience's monitor
    // changed, for the whole program: no pool, no entry moves.
    Presentation,
};

QString RecordActionText(RecordAction action);
// Whether rows of this action name one entry (and carry a fingerprint).
bool IsEntryAction(const QString& actionText);
// Whether the entry gets a place in the winners list by this action.
bool IsDrawAction(const QString& actionText);
// Whether the action may change which entries are available: every action
// but a change of the prize plan, an absence (the absent winner was not
// available before it and is not after it) and a change of the presentation.
bool MovesEntries(const QString& actionText);

} // namespace tiravo
