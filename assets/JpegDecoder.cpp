#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE declared

#include <jpeglib.h>

#include <QtCore/qsysinfo.h>

namespace miravane {
namespace {

constexpr int kPaletteColours = 236;

// libjpeg reports errors through a callback that must not return; ours jumps back to the
// decode step that was running. Warnings count as errors: they mean the stream is damaged.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf resume;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failDecode(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->resume, 1);
}

void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0) failDecode(cinfo);
}

void discardOutput(j_common_ptr) {}

// Each step keeps every C++ object out of the frame that setjmp marks, so that the jump
// skips no destructor.
class Decompressor {
public:
    explicit Decompressor(const QByteArray& stream) : stream_(stream) {
        cinfo_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = failDecode;
        errors_.base.emit_message = onMessage;
        errors_.base.output_message = discardOutput;
        errors_.message[0] = '\0';
    }
    ~Decompressor() {
        if (created_) jpeg_destroy_decompress(&cinfo_);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    bool readHeader() {
        if (setjmp(errors_.resume)) return false;
        jpeg_create_decompress(&cinfo_);
        created_ = true;
        jpeg_mem_src(&cinfo_, reinterpret_cast<const unsigned char*>(stream_.constData()),
                     static_cast<unsigned long>(stream_.size()));
        jpeg_read_header(&cinfo_, TRUE);
        return true;
    }

    bool start(DecodeDepth depth) {
        if (setjmp(errors_.resume)) return false;
        cinfo_.scale_num = 1;
        cinfo_.scale_denom = 1;
        cinfo_.dct_method = JDCT_FLOAT;
        cinfo_.do_block_smoothing = TRUE;
        cinfo_.do_fancy_upsampling = TRUE;
        // Straight into the layout Qt paints from (QImage::Format_RGB32, 0xffRRGGBB words), so
        // that drawing never converts; libjpeg-turbo fills the X byte with 0xFF.
        cinfo_.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
        if (depth == DecodeDepth::Palette236) {
            cinfo_.out_color_space = JCS_RGB;
            cinfo_.quantize_colors = TRUE;
            cinfo_.desired_number_of_colors = kPaletteColours;
        }
        jpeg_start_decompress(&cinfo_);
        return true;
    }

    // Narrows the decode to the given columns. Where colour is sampled more coarsely across
    // than brightness, a margin of one MCU either side keeps every column inside them from
    // being one the decoder computes differently at the edge of what it decodes (fancy
    // upsampling has no neighbour to take there). Returns the first column the decoder now
    // delivers; each scanline it reads is that many pixels into the image's row.
    bool crop(JpegColumns columns, int& first) {
        first = 0;
        if (setjmp(errors_.resume)) return false;
        const int width = static_cast<int>(cinfo_.output_width);
        const int margin = cinfo_.max_h_samp_factor > 1 ? cinfo_.max_h_samp_factor * DCTSIZE : 0;
        const JpegColumns decoded = JpegColumns{columns.begin - margin, columns.end + margin}.within(width);
        if (decoded.end - decoded.begin >= width || decoded.begin >= decoded.end) return true;
        auto offset = static_cast<JDIMENSION>(decoded.begin);
        auto count = static_cast<JDIMENSION>(decoded.end - decoded.begin);
        jpeg_crop_scanline(&cinfo_, &offset, &count);  // widens to whole MCUs
        first = static_cast<int>(offset);
        return true;
    }

    // Reads the scanlines into the image, the decoded columns from `first` on.
    bool readInto(QImage& image, int first) {
        if (setjmp(errors_.resume)) return false;
        const qsizetype skip = qsizetype{first} * image.depth() / 8;
        while (cinfo_.output_scanline < cinfo_.output_height) {
            JSAMPROW row = image.scanLine(static_cast<int>(cinfo_.output_scanline)) + skip;
            jpeg_read_scanlines(&cinfo_, &row, 1);
        }
        jpeg_finish_decompress(&cinfo_);
        return true;
    }

    QSize headerSize() const { return {static_cast<int>(cinfo_.image_width), static_cast<int>(cinfo_.image_height)}; }
    QSize outputSize() const { return {static_cast<int>(cinfo_.output_width), static_cast<int>(cinfo_.output_height)}; }
    bool quantised() const { return cinfo_.quantize_colors; }

    QList<QRgb> colourMap() const {
        QList<QRgb> colours;
        for (int i = 0; i < cinfo_.actual_number_of_colors; ++i)
            colours.append(qRgb(cinfo_.colormap[0][i], cinfo_.colormap[1][i], cinfo_.colormap[2][i]));
        return colours;
    }

    QString error() const { return QString::fromLatin1(errors_.message); }

private:
    const QByteArray& stream_;
    jpeg_decompress_struct cinfo_{};
    ErrorManager errors_{};
    bool created_ = false;
};

bool withinLimits(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= kMaxJpegSide && size.height() <= kMaxJpegSide;
}

DecodedJpeg failure(const QString& why) { return {QImage(), QStringLiteral("The picture could not be decoded: ") + why}; }

}  // namespace

DecodeDepth decodeDepthForDisplay(int bitsPerPixel) {
    return bitsPerPixel <= 8 ? DecodeDepth::Palette236 : DecodeDepth::TrueColour;
}

QSize readJpegSize(const QByteArray& stream) {
    Decompressor decompressor(stream);
    if (!decompressor.readHeader()) return {};
    return decompressor.headerSize();
}

DecodedJpeg decodeJpeg(const QByteArray& stream, DecodeDepth depth, JpegColumns columns) {
    Decompressor decompressor(stream);
    if (!decompressor.readHeader()) return failure(decompressor.error());
    if (!withinLimits(decompressor.headerSize())) return failure(QStringLiteral("the picture is too large"));
    if (!decompressor.start(depth)) return failure(decompressor.error());

    const QSize size = decompressor.outputSize();
    QImage image(size, decompressor.quantised() ? QImage::Format_Indexed8 : QImage::Format_RGB32);
    if (image.isNull()) return failure(QStringLiteral("out of memory"));
    if (decompressor.quantised()) image.setColorTable(decompressor.colourMap());

    int first = 0;
    if (!decompressor.quantised() && columns.within(size.width()) != JpegColumns{0, size.width()}) {
        if (!decompressor.crop(columns, first)) return failure(decompressor.error());
        if (decompressor.outputSize().width() < size.width()) image.fill(Qt::black);  // the columns left out
    }
    if (!decompressor.readInto(image, first)) return failure(decompressor.error());
    return {image, QString()};
}

}  // namespace miravane
