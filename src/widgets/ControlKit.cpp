#include "widgets/ControlKit.h"

#include "widgets/DataEdit.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

namespace tiravo {

namespace {

class HashPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '#';
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

} // namespace

QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

PictureBox* NamedPicture(QWidget* parent, const QString& name, PictureMode mode) {
    auto* box = new PictureBox(parent, mode);
    box->setObjectName(name);
    return box;
}

void ShowBuiltIn(PictureBox* box, const QString& picture) {
    box->setPicture(BuiltInPicture(picture), BuiltInPicturePath(picture));
}

QFrame* Bevel(QWidget* parent, const QString& name, int x, int y, int w, int h) {
    auto* bevel = Place(new QFrame(parent), x, y, w, h);
    bevel->setObjectName(name);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return bevel;
}

void HidePasswordWithHashes(QLineEdit* edit) {
    auto* style = new HashPasswordStyle;
    style->setParent(edit);
    edit->setStyle(style);
    edit->setEchoMode(QLineEdit::Password);
}

QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& caption, int x, int y) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}

void SetTextColor(QWidget* control, const QColor& color) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    control->setPalette(palette);
}

ControlsAside::ControlsAside(Dataset& dataset, std::initializer_list<DataGrid*> grids,
                             std::initializer_list<DataNavigator*> navigators,
                             std::initializer_list<DataEdit*> edits)
    : dataset_(dataset), grids_(grids), navigators_(navigators) {
    for (DataGrid* grid : grids_)
        grid->setDataset(nullptr);
    for (DataNavigator* navigator : navigators_)
        navigator->setDataset(nullptr);
    for (DataEdit* edit : edits) {
        edits_.emplace_back(edit, edit->field());
        edit->setField(nullptr, QString());
    }
}

ControlsAside::~ControlsAside() {
    for (DataGrid* grid : grids_)
        grid->setDataset(&dataset_);
    for (DataNavigator* navigator : navigators_)
        navigator->setDataset(&dataset_);
    for (const auto& [edit, field] : edits_)
        edit->setField(&dataset_, field);
}

} // namespace tiravo
