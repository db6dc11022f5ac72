#include "platform/JpegDecoder.h"

#include "platform/PictureErrors.h"

#include <QtEndian>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

// jpeglib.h needs FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace tiravo {

namespace {

enum class Outcome { Decoded, Damaged, TooLarge, OutOfMemory };

// The rows of a colour picture land in QImage::Format_RGB32's own byte order.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// Where the decoder's C side asks the C++ side for decisions and memory. The
// callbacks return normally before libjpeg can jump, and never throw.
struct DecodeJob {
    const unsigned char* data;
    unsigned long size;
    void* context;
    int (*scaleFor)(void* context, int width, int height) noexcept;
    unsigned char* (*rowsFor)(void* context, int width, int height, bool grey,
                              std::size_t* stride) noexcept;
    int imageWidth;
    int imageHeight;
    char reason[JMSG_LENGTH_MAX];
};

struct ErrorManager {
    jpeg_error_mgr base; // first, so libjpeg's pointer to it is a pointer to us
    std::jmp_buf jump;
    char* reason;
};

[[noreturn]] void failDecode(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->reason);
    std::longjmp(manager->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level) {
    // A warning means data missing or corrupt, which libjpeg fills with grey
    // and carries on; shown that way the photo looks half-loaded, so it is a
    // damaged picture. A newer JFIF revision number alone changes no pixel.
    if (level < 0 && cinfo->err->msg_code != JWRN_JFIF_MAJOR)
        failDecode(cinfo);
}

// A progressive file may split its data into any number of scans, each a
// pass over the whole picture: a small file of thousands of empty scans over
// a large picture holds the window for seconds.
void limitScans(j_common_ptr cinfo) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number <= kMaxJpegScans)
        return;
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(manager->reason, JMSG_LENGTH_MAX, "the picture has more than %d scans",
                  kMaxJpegScans);
    std::longjmp(manager->jump, 1);
}

void cmykToRgb32(const unsigned char* cmyk, unsigned char* out, unsigned width, bool inverted) {
    for (unsigned x = 0; x < width; ++x, cmyk += 4, out += 4) {
        // Adobe's files store 255 minus the ink, which is how almost every
        // CMYK JPEG in the wild comes.
        const unsigned c = inverted ? cmyk[0] : 255u - cmyk[0];
        const unsigned m = inverted ? cmyk[1] : 255u - cmyk[1];
        const unsigned y = inverted ? cmyk[2] : 255u - cmyk[2];
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        const QRgb pixel = qRgb(int(c * k / 255), int(m * k / 255), int(y * k / 255));
        std::memcpy(out, &pixel, sizeof pixel);
    }
}

// Plain C style on purpose: libjpeg reports errors by longjmp, which would
// skip the destructor of any C++ object living in this frame.
Outcome runDecode(DecodeJob* job) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = failDecode;
    errors.base.emit_message = onMessage;
    errors.reason = job->reason;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return Outcome::Damaged;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_progress_mgr progress{};
    progress.progress_monitor = limitScans;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, job->data, job->size);
    jpeg_read_header(&cinfo, TRUE);

    job->imageWidth = int(cinfo.image_width);
    job->imageHeight = int(cinfo.image_height);
    if (qint64(cinfo.image_width) * qint64(cinfo.image_height) > kMaxJpegPixels) {
        jpeg_destroy_decompress(&cinfo);
        return Outcome::TooLarge;
    }
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        break;
    default:
        cinfo.out_color_space = kRgb32Space;
        break;
    }
    cinfo.scale_num = unsigned(job->scaleFor(job->context, job->imageWidth, job->imageHeight));
    cinfo.scale_denom = 8;
    jpeg_start_decompress(&cinfo);

    const bool grey = cinfo.out_color_space == JCS_GRAYSCALE;
    const bool cmyk = cinfo.out_color_space == JCS_CMYK;
    std::size_t stride = 0;
    unsigned char* pixels = job->rowsFor(job->context, int(cinfo.output_width),
                                         int(cinfo.output_height), grey, &stride);
    if (!pixels) {
        jpeg_destroy_decompress(&cinfo);
        return Outcome::OutOfMemory;
    }
    // Freed by libjpeg with the rest of its memory, on every way out.
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo),
                                                           JPOOL_IMAGE, cinfo.output_width * 4, 1)
                              : nullptr;
    while (cinfo.output_scanline < cinfo.output_height) {
        unsigned char* row = pixels + stride * cinfo.output_scanline;
        JSAMPROW target = cmyk ? cmykRow[0] : row;
        if (jpeg_read_scanlines(&cinfo, &target, 1) != 1) {
            jpeg_destroy_decompress(&cinfo);
            std::strcpy(job->reason, "the picture data stops early");
            return Outcome::Damaged;
        }
        if (cmyk)
            cmykToRgb32(cmykRow[0], row, cinfo.output_width, cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return Outcome::Decoded;
}

// Rows decoded at a reduced scale are only a way station before Qt shrinks
// them to the box; keeping their memory from one photo to the next spares
// the draws a fresh allocation per frame. Beyond this size it is given back.
constexpr std::size_t kKeptScratchBytes = std::size_t(64) << 20;

struct Scratch {
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t capacity = 0;

    unsigned char* reserve(std::size_t size) noexcept {
        if (size > capacity) {
            bytes.reset(new (std::nothrow) unsigned char[size]);
            capacity = bytes ? size : 0;
        }
        return bytes.get();
    }
    void trim() noexcept {
        if (capacity > kKeptScratchBytes) {
            bytes.reset();
            capacity = 0;
        }
    }
};

thread_local Scratch scratch;

// The C++ side of one decode: chooses the scale and owns the pixels.
class Destination {
public:
    explicit Destination(const FitRequest& request) : request_(request) {}

    static int scaleFor(void* self, int width, int height) noexcept {
        auto* destination = static_cast<Destination*>(self);
        destination->target_ = fittedSize(QSize(width, height), destination->request_);
        return jpegScaleFor(QSize(width, height), destination->target_);
    }

    static unsigned char* rowsFor(void* self, int width, int height, bool grey,
                                  std::size_t* stride) noexcept {
        return static_cast<Destination*>(self)->rows(QSize(width, height), grey, stride);
    }

    // The decoded picture at the fitted size; null when memory ran out.
    QImage finish() {
        if (!viaScratch_)
            return image_;
        const QImage decoded(scratch.bytes.get(), decoded_.width(), decoded_.height(),
                             qsizetype(stride_), format_);
        // The copy Qt makes while scaling owns its pixels, so the scratch can
        // take the next photo while this one is still on screen.
        QImage fitted = decoded.scaled(target_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scratch.trim();
        return fitted;
    }

private:
    unsigned char* rows(QSize size, bool grey, std::size_t* stride) noexcept {
        decoded_ = size;
        format_ = grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
        if (size == target_) {
            image_ = QImage(size, format_);
            if (image_.isNull())
                return nullptr;
            *stride = std::size_t(image_.bytesPerLine());
            return image_.bits();
        }
        viaScratch_ = true;
        const std::size_t pixelBytes = grey ? 1 : 4;
        stride_ = (std::size_t(size.width()) * pixelBytes + 3) / 4 * 4;
        *stride = stride_;
        return scratch.reserve(stride_ * std::size_t(size.height()));
    }

    FitRequest request_;
    QSize target_;
    QSize decoded_;
    QImage::Format format_ = QImage::Format_RGB32;
    QImage image_;
    bool viaScratch_ = false;
    std::size_t stride_ = 0;
};

} // namespace

int jpegScaleFor(QSize picture, QSize target) {
    const auto scaled = [](int length, int eighths) {
        return (qint64(length) * eighths + 7) / 8; // libjpeg rounds up
    };
    for (int eighths = 1; eighths < 8; ++eighths) {
        if (scaled(picture.width(), eighths) >= target.width() &&
            scaled(picture.height(), eighths) >= target.height())
            return eighths;
    }
    return 8;
}

QImage decodeJpeg(const PictureFile& file, const FitRequest& request) {
    Destination destination(request);
    DecodeJob job{};
    job.data = reinterpret_cast<const unsigned char*>(file.bytes.constData());
    job.size = static_cast<unsigned long>(file.bytes.size());
    job.context = &destination;
    job.scaleFor = &Destination::scaleFor;
    job.rowsFor = &Destination::rowsFor;

    switch (runDecode(&job)) {
    case Outcome::Decoded:
        break;
    case Outcome::Damaged:
        throw damagedPictureError(file.path, QStringLiteral("JPEG"),
                                  QString::fromLatin1(job.reason));
    case Outcome::TooLarge:
        throw pictureTooLargeError(file.path, QSize(job.imageWidth, job.imageHeight));
    case Outcome::OutOfMemory:
        throw pictureOutOfMemoryError(file.path);
    }
    QImage image = destination.finish();
    if (image.isNull())
        throw pictureOutOfMemoryError(file.path);
    return image;
}

} // namespace tiravo
