#pragma once

#include <QLabel>

namespace tiravo {

// The big label of a draw: its font is the largest one shows, and an entry
// too wide or too tall for it at that size is written smaller, never cut.
// The audience must read the whole winner, a number of seven digits or a
// name of forty characters alike. The text is always plain: a name is never
// read as markup.
class FittingLabel final : public QLabel {
    Q_OBJECT
public:
    FittingLabel(const QString& text, QWidget* parent);

    // The font the current text is written in.
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int textFlags() const;
};

// The largest pixel size up to that of `font` at which `text`, laid out with
// `flags`, fits `area` whole.
QFont FittedFont(const QFont& font, const QString& text, const QRect& area, int flags);

} // namespace tiravo
