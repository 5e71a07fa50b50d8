#include "font_resolver.h"

#include <QHash>
#include <QStringList>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <mutex>

namespace text {
namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const QStringList& genericFamilies() {
    static const QStringList names{"sans-serif", "serif",   "monospace", "sans",  "mono",
                                   "cursive",    "fantasy", "system-ui", "emoji", "math"};
    return names;
}

QStringList familiesOf(const FcPattern* pattern) {
    QStringList families;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i)
        families.append(QString::fromUtf8(reinterpret_cast<const char*>(value)));
    return families;
}

// Matches a pattern after the configured substitutions. Returns the substituted request too, whose
// family list holds the asked name followed by the aliases the configuration holds equivalent.
struct Match {
    QStringList requested;
    QStringList found;
};

Match match(const QString& family, int fcWeight) {
    Pattern pattern(FcPatternCreate());
    if (!pattern)
        return {};
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    if (fcWeight >= 0)
        FcPatternAddInteger(pattern.get(), FC_WEIGHT, fcWeight);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    Pattern found(FcFontMatch(nullptr, pattern.get(), &result));
    if (!found)
        return {familiesOf(pattern.get()), {}};
    return {familiesOf(pattern.get()), familiesOf(found.get())};
}

// The names before the first generic family are the face and its close aliases (Arial and Liberation
// Sans, for one); anything matched after them is only the default font of that generic family.
bool isCloseMatch(const Match& result) {
    for (const QString& requested : result.requested) {
        if (genericFamilies().contains(requested, Qt::CaseInsensitive))
            return false;
        if (result.found.contains(requested, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool nameSaysBold(const QString& name) {
    static const QStringList words{"black", "heavy", "bold", "ultra", "fat"};
    for (const QString& word : words)
        if (name.contains(word, Qt::CaseInsensitive))
            return true;
    return false;
}

QString genericFor(const QString& name) {
    static const QStringList monospace{"mono", "courier", "console", "typewriter", "fixed", "terminal"};
    static const QStringList serif{"times",   "roman",   "georgia", "garamond",    "palatino", "antiqua",
                                   "bookman", "century", "cambria", "baskerville", "didot"};
    for (const QString& word : monospace)
        if (name.contains(word, Qt::CaseInsensitive))
            return QStringLiteral("monospace");
    if (name.contains(QLatin1String("serif"), Qt::CaseInsensitive) &&
        !name.contains(QLatin1String("sans"), Qt::CaseInsensitive))
        return QStringLiteral("serif");
    for (const QString& word : serif)
        if (name.contains(word, Qt::CaseInsensitive))
            return QStringLiteral("serif");
    return QStringLiteral("sans-serif");
}

ResolvedFace resolveUncached(const QString& faceName) {
    ResolvedFace face;
    if (!faceName.trimmed().isEmpty()) {
        const Match exact = match(faceName, -1);
        if (isCloseMatch(exact) && !exact.found.isEmpty()) {
            face.family = exact.found.first();
            face.substituted = false;
        }
    }
    const bool wantsBold = nameSaysBold(faceName);
    if (face.substituted) {
        const Match fallback = match(genericFor(faceName), wantsBold ? FC_WEIGHT_BOLD : -1);
        face.family = fallback.found.isEmpty() ? QStringLiteral("sans-serif") : fallback.found.first();
    }
    if (wantsBold && !nameSaysBold(face.family))
        face.minimumWeight = 700;
    return face;
}

} // namespace

ResolvedFace resolveFace(const QString& faceName) {
    static std::mutex mutex;
    static QHash<QString, ResolvedFace> cache;
    const std::lock_guard lock(mutex);
    const auto known = cache.constFind(faceName);
    if (known != cache.constEnd())
        return *known;
    const ResolvedFace face = resolveUncached(faceName);
    cache.insert(faceName, face);
    return face;
}

} // namespace text
