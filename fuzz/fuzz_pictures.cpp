// Feeds arbitrary bytes to the picture decoders, the way a damaged or hostile
// file would reach them. Built by fuzz/build_pictures.sh, outside the
// default build.
#include "common/Error.h"
#include "platform/JpegDecoder.h"
#include "platform/PictureKinds.h"
#include "platform/QtPictureDecoder.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_pictures";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);

    using namespace tiravo;
    const PictureFile file{QStringLiteral("fuzz"),
                           QByteArray(reinterpret_cast<const char*>(data), qsizetype(size))};
    const PictureKind kind = kindOfContents(file.bytes).value_or(PictureKind::Jpeg);
    // Both the whole decode and the reduced one, whose scratch rows and scaling differ.
    for (const FitRequest& request : {FitRequest{}, FitRequest{QSize(64, 48)}}) {
        try {
            const QImage image = kind == PictureKind::Jpeg ? decodeJpeg(file, request)
                                                           : decodeWithQt(file, kind, request);
            if (image.isNull())
                __builtin_trap(); // a load either gives a picture or throws
        } catch (const Error&) {
        }
    }
    return 0;
}
