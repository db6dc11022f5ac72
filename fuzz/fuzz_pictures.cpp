// Feeds arbitrary bytes to the picture decoders, the way a damaged or hostile
// file would reach them: every load gives a picture or throws Error.
#include "FuzzEntry.h"

#include "common/Error.h"
#include "platform/JpegDecoder.h"
#include "platform/PictureKinds.h"
#include "platform/QtPictureDecoder.h"

#include <QCoreApplication>

namespace {

using namespace tiravo;

void fuzzPictures(const std::uint8_t* data, std::size_t size) {
    // Qt's image plugins need an application object; the corpus test has one.
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "fuzz_pictures";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }

    const PictureFile file{QStringLiteral("fuzz"),
                           QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))};
    const PictureKind kind = kindOfContents(file.bytes).value_or(PictureKind::Jpeg);
    // Both the whole decode and the reduced one, whose scratch rows and scaling differ.
    for (const FitRequest& request : {FitRequest{}, FitRequest{QSize(64, 48)}}) {
        try {
            const QImage image = kind == PictureKind::Jpeg ? decodeJpeg(file, request)
                                                           : decodeWithQt(file, kind, request);
            fuzz::require(!image.isNull(), "a load gives a picture or throws");
        } catch (const Error&) {
        }
    }
}

} // namespace

TIRAVO_FUZZ_TARGET("pictures", fuzzPictures)
