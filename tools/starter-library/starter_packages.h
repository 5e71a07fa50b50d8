#pragma once
// The starter library as editing-resource packages, one per category, written with the package writer.

#include "resources/package_writer.h"
#include "resources/resource_types.h"
#include "starter_model.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace starter {

struct StarterPackage {
    QString fileName; // e.g. "starter-frames.irs"
    resources::ResourceCategory category;
    const std::vector<StarterEntry>* entries;
};

// The five packages, in category order.
std::vector<StarterPackage> starterPackages(const StarterLibrary& library);

// A frame's hole as the fractions stored in the package.
resources::PhotoHole holeFractions(const StarterEntry& frame);

// The package's bytes; empty with `reason` set when the writer refuses an entry.
std::vector<std::uint8_t> packageBytes(const StarterPackage& package, QString& reason);

// Writes every package into the folder (created when missing), each replacing its earlier file whole.
bool writeStarterPackages(const StarterLibrary& library, const QString& folder, QString& reason);

} // namespace starter
