#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;
class QPdfWriter;

namespace tiravo {

// The minutes are laid out at this resolution, on A4.
inline constexpr int kMinutesDpi = 300;

QFont MinutesFont(int points, bool bold = false, bool mono = false);

// Lays the minutes out from the top of each page down; paints only when a
// painter is given, so that a first pass can count the pages, and lists each
// text it lays when given a list, so that tests read what the paper says.
class MinutesLayout {
public:
    MinutesLayout(QPainter* painter, QPdfWriter* writer, int pages, QRect area,
                  QStringList* texts = nullptr);

    // Wrapped over the width left of `indent`, `before` below what came last.
    void line(const QString& text, const QFont& font, int indent = 0, int before = 0);
    // Cells side by side at the given left edges, one line high; a cell too
    // long for its column loses its middle.
    void row(const QStringList& cells, const std::vector<int>& lefts, const QFont& font,
             int before = 0);
    void rule(int before);
    // A heading keeps with what follows it: when `height` more (in the
    // writer's units) does not fit on this page, the next one begins here.
    void keepWithNext(int height);
    // The height of one line of `font`, in the writer's units.
    int lineHeight(const QFont& font) const;

    void finish() { footer(); }
    int pages() const { return page_; }

private:
    int footerHeight() const;
    void footer();
    void newPage();

    QPainter* painter_;
    QPdfWriter* writer_;
    int pages_;
    QRect area_;
    QStringList* texts_;
    int y_;
    int page_ = 1;
};

} // namespace tiravo
