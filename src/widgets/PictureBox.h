#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace tiravo {

// How a picture box shows a picture that is not its own size.
enum class PictureMode {
    Stretch,      // fills the box, proportions lost
    Proportional, // as large as fits, proportions kept, centred
    ShrinkCenter, // shrunk to fit only when larger, proportions kept, centred
};

// How a picture is decoded for a box that shows it in `mode`.
Qt::AspectRatioMode AspectOf(PictureMode mode);

// A picture box. Besides painting it names what it shows in the dynamic
// property "shownPicture", so that a recorded frame can tell pictures apart.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr, PictureMode mode = PictureMode::Stretch);

    void setMode(PictureMode mode);
    PictureMode mode() const { return mode_; }

    // `name` identifies the picture: a resource or file path.
    void setPicture(const QImage& picture, const QString& name);
    void clear();
    const QImage& picture() const { return picture_; }
    const QString& pictureName() const { return name_; }
    bool hasPicture() const { return !picture_.isNull(); }

    // Where the picture is painted inside the box; empty without a picture.
    QRect pictureRect() const;
    // The same for any picture and box size, so callers can size things alike.
    static QRect pictureRect(PictureMode mode, QSize picture, QSize box);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PictureMode mode_;
    QImage picture_;
    QString name_;
    // The picture scaled to the size it was last painted at: the draws
    // repaint the same picture many times a second.
    QPixmap scaled_;
};

} // namespace tiravo
