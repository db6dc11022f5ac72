#include "draws/model/Minutes.h"

#include "common/Error.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordActions.h"
#include "draws/model/RecordChain.h"
#include "platform/OutputFile.h"
#include "store/VisibleText.h"

#include <QBuffer>
#include <QDir>
#include <QFileDevice>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace tiravo {

namespace {

constexpr int kDpi = 300;
constexpr int kMargin = kDpi * 2 / 3; // about 17 mm

QFont Font(int points, bool bold = false, bool mono = false) {
    QFont font(mono ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    if (mono)
        font.setStyleHint(QFont::Monospace);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

QString DayText(const QDate& day) {
    return day.toString(QStringLiteral("dd/MM/yyyy"));
}

// Lays the minutes out from the top of each page down; paints only when a
// painter is given, so that a first pass can count the pages.
class Layout {
public:
    Layout(QPainter* painter, QPdfWriter* writer, int pages, QRect area,
           QStringList* texts = nullptr)
        : painter_(painter), writer_(writer), pages_(pages), area_(area), texts_(texts),
          y_(area.top()) {}

    void line(const QString& text, const QFont& font, int indent = 0, int before = 0) {
        if (texts_)
            *texts_ << text;
        const QFontMetrics metrics(font, writer_);
        const QRect box(area_.left() + indent, 0, area_.width() - indent, area_.height());
        const QRect needed = metrics.boundingRect(box, Qt::TextWordWrap | Qt::AlignLeft, text);
        if (y_ + before + needed.height() > area_.bottom() - footerHeight())
            newPage();
        else
            y_ += before;
        if (painter_) {
            painter_->setFont(font);
            painter_->drawText(QRect(box.left(), y_, box.width(), needed.height()),
                               Qt::TextWordWrap | Qt::AlignLeft, text);
        }
        y_ += needed.height();
    }

    // Cells side by side at the given left edges, one line high.
    void row(const QStringList& cells, const std::vector<int>& lefts, const QFont& font,
             int before = 0) {
        if (texts_)
            *texts_ << cells.join(u'|');
        const QFontMetrics metrics(font, writer_);
        if (y_ + before + metrics.height() > area_.bottom() - footerHeight())
            newPage();
        else
            y_ += before;
        if (painter_) {
            painter_->setFont(font);
            for (qsizetype i = 0; i < cells.size(); ++i) {
                const int left = area_.left() + lefts[std::size_t(i)];
                const int right = std::size_t(i) + 1 < lefts.size()
                                      ? area_.left() + lefts[std::size_t(i) + 1]
                                      : area_.right();
                painter_->drawText(
                    QRect(left, y_, right - left - kDpi / 20, metrics.height()),
                    Qt::AlignLeft | Qt::AlignVCenter,
                    metrics.elidedText(cells[i], Qt::ElideMiddle, right - left - kDpi / 20));
            }
        }
        y_ += metrics.height();
    }

    void rule(int before) {
        y_ += before;
        if (painter_)
            painter_->drawLine(area_.left(), y_, area_.right(), y_);
    }

    void finish() { footer(); }
    int pages() const { return page_; }

private:
    int footerHeight() const { return QFontMetrics(Font(8), writer_).height() * 2; }

    void footer() {
        if (!painter_)
            return;
        painter_->setFont(Font(8));
        painter_->drawText(QRect(area_.left(), area_.bottom() - footerHeight() / 2, area_.width(),
                                 footerHeight() / 2),
                           Qt::AlignRight | Qt::AlignVCenter,
                           QStringLiteral("Página %1 de %2").arg(page_).arg(pages_));
    }

    void newPage() {
        footer();
        if (painter_)
            writer_->newPage();
        ++page_;
        y_ = area_.top();
    }

    QPainter* painter_;
    QPdfWriter* writer_;
    int pages_;
    QRect area_;
    QStringList* texts_;
    int y_;
    int page_ = 1;
};

QString PoolTitle(const PoolDescription& pool) {
    if (&pool == &NumberPool())
        return QStringLiteral("Números");
    if (&pool == &NamePool())
        return QStringLiteral("Nomes");
    return QStringLiteral("Fotos");
}

// A name as one line of the paper: a line break or any other hidden
// character it holds is a space.
QString OnPaper(QString text) {
    for (QChar& c : text)
        if (IsHiddenCharacter(c.unicode()))
            c = u' ';
    return text;
}

// The local time of a row with the offset it was written in: after the
// clocks went back an hour, 01:00 may come after 01:59, and the offset
// shows why.
QString TimeText(const RecordRow& row) {
    const QDateTime local = row.localMoment();
    const int minutes = local.offsetFromUtc() / 60;
    return QStringLiteral("%1 %2%3:%4")
        .arg(local.toString(QStringLiteral("HH:mm:ss")),
             minutes < 0 ? QStringLiteral("-") : QStringLiteral("+"))
        .arg(std::abs(minutes) / 60, 2, 10, QChar(u'0'))
        .arg(std::abs(minutes) % 60, 2, 10, QChar(u'0'));
}

QString PlaceText(const RecordRow& row) {
    return row.place ? QStringLiteral("%1º").arg(*row.place) : QStringLiteral("—");
}

QString WhatText(const RecordRow& row) {
    if (row.count)
        return QStringLiteral("%1: %2 %3")
            .arg(OnPaper(row.action))
            .arg(*row.count)
            .arg(*row.count == 1 ? QStringLiteral("entrada") : QStringLiteral("entradas"));
    QString entry = OnPaper(row.entry.value_or(QString()));
    if (row.action != RecordActionText(RecordAction::Draw))
        entry += QStringLiteral(" (%1)").arg(OnPaper(row.action));
    return entry;
}

// Each pool's prize plan as the file holds it when the minutes are written.
using Plans = std::map<QString, PrizePlan>;

Plans ReadPlans(Connection& connection) {
    Plans plans;
    for (const PoolDescription* pool : Pools())
        plans[pool->name] = ReadPrizePlan(connection, *pool);
    return plans;
}

// The plan of a pool that has one: its prizes in order, with their places.
void LayPlan(Layout& layout, const PrizePlan& plan, const std::vector<int>& lefts, int unit) {
    layout.line(QStringLiteral("Plano de prêmios"), Font(10, true), 0, unit / 2);
    for (const Prize& prize : plan.prizes)
        layout.row({PlacesText(prize), QStringLiteral("%1 ×").arg(prize.quantity),
                    OnPaper(prize.description)},
                   lefts, Font(10), unit / 4);
}

QString PrizeText(const PrizePlan& plan, const RecordRow& row) {
    const Prize* prize = row.place ? plan.prizeOfPlace(*row.place) : nullptr;
    return prize ? OnPaper(prize->description) : QString();
}

void Lay(Layout& layout, const QDate& day, const std::vector<RecordRow>& all,
         const std::vector<const RecordRow*>& today, const Plans& plans) {
    const int unit = kDpi / 6;
    layout.line(QStringLiteral("Ata do sorteio"), Font(20, true));
    layout.line(QStringLiteral("Data: %1").arg(DayText(day)), Font(12), 0, unit);
    std::set<QString> operators;
    for (const RecordRow* row : today)
        operators.insert(row->operatorName.isEmpty() ? QStringLiteral("(sem operador)")
                                                     : OnPaper(row->operatorName));
    QStringList names(operators.begin(), operators.end());
    layout.line(QStringLiteral("Operadores: %1")
                    .arg(names.isEmpty() ? QStringLiteral("nenhum") : names.join(", ")),
                Font(12));
    const bool drew = std::any_of(today.begin(), today.end(), [](const RecordRow* row) {
        return IsDrawAction(row->action) ||
               row->action == RecordActionText(RecordAction::HiddenPick);
    });
    if (!drew)
        layout.line(QStringLiteral("Não houve sorteios neste dia."), Font(12, true), 0, unit * 2);
    const std::vector<int> lefts = {0, kDpi * 5 / 4, kDpi * 2};
    const std::vector<int> prizeLefts = {0, kDpi * 5 / 4, kDpi * 2, kDpi * 9 / 2};
    for (const PoolDescription* pool : Pools()) {
        std::vector<const RecordRow*> rows;
        for (const RecordRow* row : today)
            if (row->pool == pool->name)
                rows.push_back(row);
        if (rows.empty())
            continue;
        layout.line(PoolTitle(*pool), Font(14, true), 0, unit * 2);
        // Without a plan the pool's table keeps its three columns.
        const PrizePlan& plan = plans.at(pool->name);
        if (!plan.empty())
            LayPlan(layout, plan, lefts, unit);
        QStringList header{QStringLiteral("Hora"), QStringLiteral("Sorte"),
                           QStringLiteral("Entrada")};
        if (!plan.empty())
            header << QStringLiteral("Prêmio");
        layout.row(header, plan.empty() ? lefts : prizeLefts, Font(10, true), unit / 2);
        layout.rule(0);
        for (const RecordRow* row : rows) {
            if (plan.empty())
                layout.row({TimeText(*row), PlaceText(*row), WhatText(*row)}, lefts, Font(10),
                           unit / 3);
            else
                layout.row({TimeText(*row), PlaceText(*row), WhatText(*row), PrizeText(plan, *row)},
                           prizeLefts, Font(10), unit / 3);
            if (row->fingerprint)
                layout.line(QStringLiteral("impressão das %1 disponíveis: %2")
                                .arg(row->available.value_or(0))
                                .arg(*row->fingerprint),
                            Font(7, false, true), lefts[2]);
        }
    }
    layout.rule(unit * 2);
    layout.line(all.empty()
                    ? QStringLiteral("O registro está vazio.")
                    : QStringLiteral("O registro tem %1 linhas; a última, de número %2, tem o "
                                     "hash:")
                          .arg(all.size())
                          .arg(all.back().sequence),
                Font(10), 0, unit / 2);
    if (!all.empty())
        layout.line(all.back().hash, Font(9, false, true));
    layout.finish();
}

std::vector<const RecordRow*> RowsOf(const std::vector<RecordRow>& all, const QDate& day) {
    std::vector<const RecordRow*> rows;
    for (const RecordRow& row : all)
        if (row.localMoment().date() == day)
            rows.push_back(&row);
    return rows;
}

void SetUpPages(QPdfWriter& writer, const QDate& day) {
    writer.setResolution(kDpi);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(QStringLiteral("Ata do sorteio de %1").arg(DayText(day)));
    writer.setCreator(QStringLiteral("Tiravo"));
}

QRect WritingArea(const QPdfWriter& writer) {
    return QRect(0, 0, writer.width(), writer.height())
        .adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

} // namespace

int WriteMinutesPdf(Connection& connection, const QDate& day, const QString& path,
                    MessageLanguage language) {
    const std::vector<RecordRow> all = ReadRecord(connection);
    const std::vector<const RecordRow*> today = RowsOf(all, day);
    const Plans plans = ReadPlans(connection);
    int pages = 0;
    WriteOutputFile({path, DatabaseFileOf(connection), language}, [&](QFileDevice& file) {
        QPdfWriter writer(&file);
        SetUpPages(writer, day);
        const QRect area = WritingArea(writer);
        Layout counting(nullptr, &writer, 0, area);
        Lay(counting, day, all, today, plans);
        QPainter painter;
        if (!painter.begin(&writer))
            throw Error((language == MessageLanguage::Portuguese
                             ? QStringLiteral("Não foi possível gravar a ata em '%1'")
                             : QStringLiteral("Could not write the minutes to '%1'"))
                            .arg(QDir::toNativeSeparators(path)));
        Layout painting(&painter, &writer, counting.pages(), area);
        Lay(painting, day, all, today, plans);
        painter.end();
        pages = counting.pages();
    });
    return pages;
}

QStringList MinutesTexts(Connection& connection, const QDate& day) {
    const std::vector<RecordRow> all = ReadRecord(connection);
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    SetUpPages(writer, day);
    QStringList texts;
    Layout listing(nullptr, &writer, 0, WritingArea(writer), &texts);
    Lay(listing, day, all, RowsOf(all, day), ReadPlans(connection));
    return texts;
}

} // namespace tiravo
