#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tiravo {

enum class PictureKind { Bitmap, Jpeg, Gif, Png, Tiff, Icon, Emf, Wmf };

// The kind a file-name extension (without its dot) names, compared without
// regard to letter case; none for an extension that names no picture.
std::optional<PictureKind> kindOfExtension(const QString& extension);

// The kind the first bytes of a file declare, for the kinds whose files open
// with a signature; none when no known signature is there.
std::optional<PictureKind> kindOfContents(QByteArrayView bytes);

// How the messages name a kind: "JPEG", "PNG", ...
QString kindName(PictureKind kind);

} // namespace tiravo
