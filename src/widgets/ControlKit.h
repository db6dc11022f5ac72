#pragma once

#include "widgets/PictureBox.h"

#include <QColor>
#include <QString>

#include <initializer_list>
#include <utility>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tiravo {

class Dataset;
class DataEdit;
class DataGrid;
class DataNavigator;

// The controls every window builds the same way, each named as the program
// names it so that tests and the keyboard conventions can find it.

// Enter presses the focused button only, never a default one.
QPushButton* NamedButton(QWidget* parent, const QString& name, const QString& caption);

PictureBox* NamedPicture(QWidget* parent, const QString& name, PictureMode mode);

// A picture of the program's own (e.g. "teaser.png") in `box`.
void ShowBuiltIn(PictureBox* box, const QString& picture);

// A sunken frame around a group of controls; build it before them so that
// they lie above it.
QFrame* Bevel(QWidget* parent, const QString& name, int x, int y, int w, int h);

// A password edit: every character shows as "#", at once.
void HidePasswordWithHashes(QLineEdit* edit);

// A label in the given colour, sized to its text at (x, y).
QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& caption, int x, int y);
void SetTextColor(QWidget* control, const QColor& color);

// Lets the data-aware controls of a view go of it for the length of a bulk
// loop and shows them the result once: following every row would make a loop
// over many rows take time in proportion to their square, and nothing is
// painted before the loop ends anyway.
class ControlsAside {
public:
    ControlsAside(Dataset& dataset, std::initializer_list<DataGrid*> grids,
                  std::initializer_list<DataNavigator*> navigators = {},
                  std::initializer_list<DataEdit*> edits = {});
    ~ControlsAside();
    ControlsAside(const ControlsAside&) = delete;
    ControlsAside& operator=(const ControlsAside&) = delete;

private:
    Dataset& dataset_;
    std::vector<DataGrid*> grids_;
    std::vector<DataNavigator*> navigators_;
    std::vector<std::pair<DataEdit*, QString>> edits_; // and the field each shows
};

} // namespace tiravo
