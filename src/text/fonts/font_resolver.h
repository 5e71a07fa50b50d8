#pragma once
// Finds an installed family for a face name through fontconfig.

#include <QString>

namespace text {

struct ResolvedFace {
    QString family;          // an installed family, never empty
    bool substituted = true; // false when the face itself or a metric-compatible alias was found
    int minimumWeight = 400; // 700 when a black or bold face had to be replaced by a lighter family
};

// A face that is not installed falls back to a close generic family (sans, serif or monospace by the
// name), bold for black and bold faces such as "Arial Black". Results are cached for the process.
ResolvedFace resolveFace(const QString& faceName);

} // namespace text
