#include "draws/model/RecordActions.h"

namespace tiravo {

namespace {

struct ActionName {
    RecordAction action;
    const char16_t* text;
    bool entry;
    bool draw;
};

constexpr ActionName kActions[] = {
    {RecordAction::Draw, u"sorteio", true, true},
    {RecordAction::HiddenPick, u"quem será", true, false},
    {RecordAction::TakeOut, u"retirada", true, true},
    {RecordAction::Return, u"devolução", true, false},
    {RecordAction::NameAdded, u"inclusão", true, false},
    {RecordAction::NameRemoved, u"remoção", true, false},
    {RecordAction::Clear, u"limpeza", false, false},
    {RecordAction::Release, u"liberação", false, false},
    {RecordAction::Import, u"importação", false, false},
    {RecordAction::Range, u"faixa", false, false},
    {RecordAction::Photos, u"fotos", false, false},
    {RecordAction::Edit, u"alteração", true, false},
    {RecordAction::Prizes, u"prêmios", false, false},
    {RecordAction::Absence, u"ausência", false, false},
    {RecordAction::BatchDraw, u"sorteio em lote", true, true},
    {RecordAction::Presentation, u"apresentação", false, false},
};

const ActionName* Named(const QString& text) {
    for (const ActionName& known : kActions)
        if (text == QStringView(known.text))
            return &known;
    return nullptr;
}

} // namespace

QString RecordActionText(RecordAction action) {
    for (const ActionName& known : kActions)
        if (known.action == action)
            return QString::fromUtf16(known.text);
    return {};
}

bool IsEntryAction(const QString& actionText) {
    const ActionName* known = Named(actionText);
    return known && known->entry;
}

bool IsDrawAction(const QString& actionText) {
    const ActionName* known = Named(actionText);
    return known && known->draw;
}

bool MovesEntries(const QString& actionText) {
    return actionText != RecordActionText(RecordAction::Prizes) &&
           actionText != RecordActionText(RecordAction::Absence) &&
           actionText != RecordActionText(RecordAction::Presentation);
}

} // namespace tiravo
