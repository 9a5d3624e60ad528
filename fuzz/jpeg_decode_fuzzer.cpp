// libFuzzer entry for the picture decoder: every input is decoded for both display depths and
// its header size read, and the three answers must agree with each other.
//
// libjpeg itself is the system's uninstrumented library, so libFuzzer sees little of its inside
// through coverage alone. To steer it anyway, two cheap signals go into extra counters: which
// libjpeg message a failure ended on, and the shape of the header (colour space, components,
// sampling, progressive/arithmetic coding). A new message or a new header shape then counts as
// new coverage and the input is kept.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "JpegDecoder.h"

namespace {

constexpr std::size_t kCounters = 4096;
__attribute__((used, section("__libfuzzer_extra_counters"))) std::uint8_t extraCounters[kCounters];

void mark(std::size_t feature) {
    std::uint8_t& counter = extraCounters[feature % kCounters];
    if (counter < 255) ++counter;
}

[[noreturn]] void broken(const char* what, const QString& detail = {}) {
    std::fprintf(stderr, "decoder invariant broken: %s %s\n", what, detail.toLocal8Bit().constData());
    std::abort();
}

// libjpeg's message templates, cut at the first conversion, to tell which message a failure is.
struct MessageTable {
    std::vector<std::string> prefixes;
    MessageTable() {
        jpeg_error_mgr errors;
        jpeg_std_error(&errors);
        prefixes.resize(static_cast<std::size_t>(errors.last_jpeg_message) + 1);
        for (int code = 1; code <= errors.last_jpeg_message; ++code) {
            const char* text = errors.jpeg_message_table[code];
            if (!text) continue;
            prefixes[static_cast<std::size_t>(code)].assign(text, std::strcspn(text, "%"));
        }
    }
    int codeOf(const QString& error) const {
        const QByteArray text = error.toLatin1();
        int best = 0;
        std::size_t bestLength = 0;
        for (std::size_t code = 1; code < prefixes.size(); ++code) {
            const std::string& prefix = prefixes[code];
            if (prefix.size() > bestLength && text.contains(QByteArray::fromStdString(prefix))) {
                best = static_cast<int>(code);
                bestLength = prefix.size();
            }
        }
        return best;
    }
};

struct ProbeErrors {
    jpeg_error_mgr base;
    std::jmp_buf resume;
};

[[noreturn]] void probeFailed(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ProbeErrors*>(cinfo->err)->resume, 1); }
void probeMessage(j_common_ptr cinfo, int level) {
    if (level < 0) probeFailed(cinfo);
}

// The header's shape, reduced to a handful of small numbers.
void markHeaderShape(const std::uint8_t* data, std::size_t size) {
    jpeg_decompress_struct cinfo{};
    ProbeErrors errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = probeFailed;
    errors.base.emit_message = probeMessage;
    if (setjmp(errors.resume) == 0) {
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
        jpeg_read_header(&cinfo, TRUE);
        std::uint32_t shape = static_cast<std::uint32_t>(cinfo.jpeg_color_space) * 8u + std::min(cinfo.num_components, 7);
        shape = shape * 4 + (cinfo.progressive_mode ? 2u : 0u) + (cinfo.arith_code ? 1u : 0u);
        shape = shape * 2 + (cinfo.data_precision == 8 ? 0u : 1u);
        shape = shape * 2 + (cinfo.restart_interval ? 1u : 0u);
        shape = shape * 4 + (cinfo.saw_Adobe_marker ? 2u + (cinfo.Adobe_transform ? 1u : 0u) : 0u);
        mark(1024 + shape % 1024);
        std::uint32_t sampling = 0;
        for (int c = 0; c < std::min(cinfo.num_components, 4); ++c)
            sampling = sampling * 16 + static_cast<std::uint32_t>((cinfo.comp_info[c].h_samp_factor & 3) * 4 +
                                                                  (cinfo.comp_info[c].v_samp_factor & 3));
        mark(2048 + (sampling * 2654435761u) % 2048);
    }
    jpeg_destroy_decompress(&cinfo);
}

void check(const QByteArray& stream, miravane::DecodeDepth depth, QSize headerSize, std::size_t slot) {
    static const MessageTable messages;
    const miravane::DecodedJpeg decoded = miravane::decodeJpeg(stream, depth);
    if (decoded.image.isNull()) {
        if (decoded.error.isEmpty()) broken("a failure came back without an error");
        mark(slot * 256 + 1 + static_cast<std::size_t>(messages.codeOf(decoded.error)) % 255);
        return;
    }
    mark(slot * 256);
    if (!decoded.error.isEmpty()) broken("a success came back with an error:", decoded.error);
    if (decoded.image.size() != headerSize) broken("the decoded size differs from the header's");
    if (decoded.image.width() > miravane::kMaxJpegSide || decoded.image.height() > miravane::kMaxJpegSide)
        broken("a picture over the size limit was decoded");
    if (depth == miravane::DecodeDepth::Palette236) {
        const QImage& image = decoded.image;
        if (image.format() != QImage::Format_Indexed8) broken("a palette decode is not 8-bit indexed");
        const int colours = image.colorCount();
        if (colours < 1 || colours > 236) broken("the palette has a wrong number of colours");
        for (int y = 0; y < image.height(); ++y) {
            const uchar* row = image.constScanLine(y);
            for (int x = 0; x < image.width(); ++x)
                if (row[x] >= colours) broken("a pixel points past the palette");
        }
    } else if (decoded.image.format() == QImage::Format_RGB32) {
        // Qt paints RGB32 as 0xffRRGGBB words: any other top byte would show as a wrong colour.
        const QImage& image = decoded.image;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(row[x]) != 0xff) broken("an RGB32 pixel is not opaque");
        }
    } else if (decoded.image.format() != QImage::Format_RGB888) {
        broken("a true-colour decode is neither RGB32 nor RGB888");
    }
}

// What a centred control narrower than the picture shows of it (the main window shows the
// banner's middle five sixths): a decode of those columns fails as the whole one does, and
// gives the same pixels in them.
void checkColumns(const QByteArray& stream, QSize headerSize) {
    const int width = headerSize.width();
    if (width < 12) return;
    const miravane::JpegColumns columns{width / 12, width - width / 12};
    const miravane::DecodedJpeg whole = miravane::decodeJpeg(stream);
    const miravane::DecodedJpeg part = miravane::decodeJpeg(stream, miravane::DecodeDepth::TrueColour, columns);
    if (whole.image.isNull() != part.image.isNull())
        broken("a decode of some columns fails where the whole does not, or the other way");
    if (whole.image.isNull()) return;
    if (part.image.size() != whole.image.size() || part.image.format() != whole.image.format())
        broken("a decode of some columns has another size or format");
    const int bytes = whole.image.depth() / 8;
    const auto length = static_cast<std::size_t>((columns.end - columns.begin) * bytes);
    for (int y = 0; y < whole.image.height(); ++y) {
        const uchar* shown = part.image.constScanLine(y) + columns.begin * bytes;
        if (std::memcmp(shown, whole.image.constScanLine(y) + columns.begin * bytes, length) != 0)
            broken("a decode of some columns differs from the whole decode in them");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray stream = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    markHeaderShape(data, size);
    const QSize headerSize = miravane::readJpegSize(stream);
    check(stream, miravane::DecodeDepth::TrueColour, headerSize, 0);
    check(stream, miravane::DecodeDepth::Palette236, headerSize, 1);
    checkColumns(stream, headerSize);
    return 0;
}
