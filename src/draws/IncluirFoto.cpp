#include "draws/IncluirFoto.h"

#include "widgets/WindowLook.h"

namespace tiravo {

TFIncluirFoto::TFIncluirFoto(QWidget* parent, Connection&, Services) : QDialog(parent) {
    setObjectName(QStringLiteral("FIncluirFoto"));
    ApplyWindowLook(this, {.caption = QStringLiteral("Incluir Fotos"),
                           .client = QSize(392, 536),
                           .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)});
}

TFIncluirFoto::~TFIncluirFoto() = default;

} // namespace tiravo
