#pragma once
// A Data folder of its own for each test, with helpers that build list files and packages.

#include "imaging/codecs/raster.h"
#include "platform/folders.h"
#include "resources/resource_types.h"
#include "support/temp_folder.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace resources_test {

// A picture of its own for each seed: distinct colours, some transparent pixels.
QImage testPicture(int width, int height, int seed);

// A raw list: the count, then each picture's size and pixels.
QByteArray rawList(const std::vector<QImage>& pictures, std::optional<std::int32_t> count = std::nullopt);
// An encoded list of PNG pictures, with holes when given (one per picture).
QByteArray encodedList(const std::vector<QImage>& pictures,
                       const std::vector<resources::PhotoHole>& holes = {},
                       std::optional<std::int32_t> count = std::nullopt);

// A small PNG whose header, checksum and all, says it is width × height: believed until it is decoded.
std::vector<std::uint8_t> pngClaiming(int width, int height);
// A PNG of the picture whose header is sound and whose compressed pixels are damaged.
std::vector<std::uint8_t> damagedPng(const QImage& picture);

class LibraryTest : public ::testing::Test {
protected:
    LibraryTest();

    const platform::Folders& folders() const { return folders_; }
    QString dataPath(const QString& name) const { return folders_.GetDataFolder() + name; }
    void writeData(const QString& name, const QByteArray& bytes) const;
    QByteArray readData(const QString& name) const;
    bool dataExists(const QString& name) const;
    // A package file outside the Data folder; returns its path.
    QString writePackage(const QString& name, const std::vector<std::uint8_t>& bytes) const;

    testing_support::TempFolder root_;
    platform::Folders folders_;
};

} // namespace resources_test
