// Decoding a picture with our picture type against decoding the same stream with libjpeg
// directly, with the same settings and into the same pixel layout, into a plain buffer: what
// the picture type adds over the decoder itself. Each kind of picture the program shows is
// measured on its own.
#include <benchmark/benchmark.h>

#include <cstdio>  // jpeglib.h needs FILE declared
#include <memory>

#include <jpeglib.h>

#include <QByteArray>
#include <QFile>
#include <QImage>

#include "EmbeddedPictures.h"
#include "JpegPicture.h"

namespace {

QByteArray embedded(const char* path) {
    miravane::registerEmbeddedPictures();
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void decodeWithPicture(benchmark::State& state, const char* path) {
    const QByteArray stream = embedded(path);
    if (stream.isEmpty()) return state.SkipWithError("no such picture");
    for (auto _ : state) {
        // A fresh picture each time, so that every iteration decodes.
        const miravane::JpegPicture picture = miravane::JpegPicture::fromStream(stream);
        const QImage& image = picture.image();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void decodeWithLibjpeg(benchmark::State& state, const char* path) {
    const QByteArray stream = embedded(path);
    if (stream.isEmpty()) return state.SkipWithError("no such picture");
    for (auto _ : state) {
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr errors{};
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(stream.constData()),
                     static_cast<unsigned long>(stream.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.scale_num = 1;
        cinfo.scale_denom = 1;
        cinfo.dct_method = JDCT_FLOAT;
        cinfo.do_block_smoothing = TRUE;
        cinfo.do_fancy_upsampling = TRUE;
        cinfo.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
        jpeg_start_decompress(&cinfo);
        const std::size_t stride = std::size_t{cinfo.output_width} * 4;
        const std::unique_ptr<unsigned char[]> pixels(new unsigned char[stride * cinfo.output_height]);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.get() + stride * cinfo.output_scanline;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.get());
    }
}

constexpr const char* kFace = ":/cards/face-00.jpg";
constexpr const char* kBack = ":/cards/back.jpg";
constexpr const char* kBanner = ":/banner.jpg";

}  // namespace

BENCHMARK_CAPTURE(decodeWithPicture, face, kFace);
BENCHMARK_CAPTURE(decodeWithLibjpeg, face, kFace);
BENCHMARK_CAPTURE(decodeWithPicture, back, kBack);
BENCHMARK_CAPTURE(decodeWithLibjpeg, back, kBack);
BENCHMARK_CAPTURE(decodeWithPicture, banner, kBanner);
BENCHMARK_CAPTURE(decodeWithLibjpeg, banner, kBanner);

BENCHMARK_MAIN();
