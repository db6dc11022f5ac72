#pragma once

#include <QString>

namespace tiravo {

class Dataset;
class PictureBox;

// Shows the picture file at `path` in `box`. An empty path, or a file that is
// gone, unreadable, no picture or too large for the memory at hand, leaves
// the box empty without a word: a partner's logo is not worth stopping a
// draw for.
void ShowStoredPicture(PictureBox& box, const QString& path);

// The same for a file the operator has just chosen, where a failure matters:
// the box keeps what it showed and the loader's Error goes on.
void LoadStoredPicture(PictureBox& box, const QString& path);

// The partners' three logos of the current row of a TbImage view, each shown
// on its own: one that fails touches only its own box. Errors of the view
// itself are not caught.
void LoadLogoStrip(PictureBox& first, PictureBox& second, PictureBox& third, Dataset& images);

} // namespace tiravo
