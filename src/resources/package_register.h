#pragma once
// The register of imported packages, "Res_Info" in the Data folder: a count, then the file name of each
// package (with extension, without folder) in a 260-byte field, NUL-terminated, zero-filled after the
// name. It keeps a package from being imported twice.

#include "imaging/outcome.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace resources {

inline constexpr int kRegisterNameBytes = 260;

// The names recorded in the register at `path`. A missing file, one shorter than its count, or a count
// of 0 or less gives the names that are really there (none for the last two), so that a damaged register
// never stops every later import.
std::vector<QByteArray> readPackageRegister(const QString& path);

// Exact, case-sensitive comparison.
bool registerContains(const std::vector<QByteArray>& names, const QByteArray& name);

// True when the name fits its field with the terminator and holds no NUL.
bool fitsRegisterField(const QByteArray& name);

// Writes the register with these names to a new file and renames it over `path`.
imaging::Outcome writePackageRegister(const QString& path, const std::vector<QByteArray>& names);

} // namespace resources
