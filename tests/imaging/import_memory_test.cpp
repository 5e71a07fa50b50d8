// Small files that announce huge pictures: importing and opening one holds the decoded picture once,
// never a converted copy beside it. Measured in a process of its own (import_memory_probe).

#include "support/temp_folder.h"
#include "test_pictures.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <tiffio.h>

namespace {

using testing_support::TempFolder;

constexpr int kSide = 6000;
// One decoded buffer of four bytes a pixel, in kilobytes.
constexpr long kPictureKilobytes = long{kSide} * kSide * 4 / 1024;

void putLe(std::vector<std::uint8_t>& bytes, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// An RLE8 bitmap of a few hundred bytes: two coloured runs, then the end of the bitmap; the rest of the
// picture is left to the first palette colour.
std::vector<std::uint8_t> rleBitmap(int width, int height) {
    std::vector<std::uint8_t> rle{200, 1, 200, 2, 0, 0, 0, 1};
    std::vector<std::uint8_t> bytes{'B', 'M'};
    const std::uint32_t offset = 14 + 40 + 3 * 4;
    putLe(bytes, offset + static_cast<std::uint32_t>(rle.size()), 4);
    putLe(bytes, 0, 4);
    putLe(bytes, offset, 4);
    for (const std::uint32_t field :
         {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
        putLe(bytes, field, 4);
    putLe(bytes, 1, 2);
    putLe(bytes, 8, 2);
    putLe(bytes, 1, 4);         // RLE8
    for (int i = 0; i < 3; ++i) // image size, resolution
        putLe(bytes, 0, 4);
    putLe(bytes, 3, 4); // colours used
    putLe(bytes, 0, 4);
    for (const std::uint32_t colour : {0x00306090u, 0x00FF0000u, 0x0000FF00u})
        putLe(bytes, colour, 4);
    bytes.insert(bytes.end(), rle.begin(), rle.end());
    return bytes;
}

// A flat Deflate-compressed RGB TIFF: about a thousandth of its decoded size.
std::vector<std::uint8_t> flatTiff(const QString& path, int width, int height) {
    TIFF* tiff = TIFFOpen(path.toLocal8Bit().constData(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 512);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 3, 90);
    for (int y = 0; y < height; ++y)
        TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0);
    TIFFClose(tiff);
    return imaging_test::readBytes(path);
}

long peakGrowthKilobytes(const QString& path) {
    QProcess probe;
    probe.start(QStringLiteral(IMPORT_MEMORY_PROBE), {path});
    if (!probe.waitForFinished(120000) || probe.exitCode() != 0)
        return -1;
    return probe.readAllStandardOutput().trimmed().toLong();
}

} // namespace

TEST(ImportMemory, HugeAnnouncedPicturesAreDecodedIntoOneBufferOnly) {
    TempFolder folder;
    const QString bitmap = folder.file(QStringLiteral("huge.bmp"));
    ASSERT_TRUE(imaging_test::writeBytes(bitmap, rleBitmap(kSide, kSide)));
    const QString tiff = folder.file(QStringLiteral("huge.tif"));
    ASSERT_LT(flatTiff(tiff, kSide, kSide).size(), 200'000u);
    for (const QString& path : {bitmap, tiff}) {
        const long growth = peakGrowthKilobytes(path);
        ASSERT_GE(growth, 0) << path.toStdString();
        EXPECT_LT(growth, kPictureKilobytes * 5 / 4) << path.toStdString() << ": " << growth << " KB";
    }
}
