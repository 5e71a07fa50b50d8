#include "text/fonts/font_resolver.h"

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

QStringList familiesOf(const FcPattern* pattern) {
    QStringList families;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i)
        families.append(QString::fromUtf8(reinterpret_cast<const char*>(value)));
    return families;
}

// The family list of a request after the configured substitutions: the asked name followed by the
// aliases the configuration holds for it and then the preferred defaults.
QStringList substitutedFamilies(const QString& family) {
    Pattern pattern(FcPatternCreate());
    if (!pattern)
        return {};
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    return familiesOf(pattern.get());
}

// The best installed family for a request, or nothing when fontconfig has no font at all.
QString matchFamily(const QString& family, int fcWeight) {
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
    const Pattern found(FcFontMatch(nullptr, pattern.get(), &result));
    const QStringList families = found ? familiesOf(found.get()) : QStringList();
    return families.isEmpty() ? QString() : families.first();
}

// The families every request ends up with: the preferred defaults of the generic families.
const QStringList& defaultFamilies() {
    static const QStringList families = [] {
        QStringList all;
        for (const char* generic : {"sans-serif", "serif", "monospace"})
            all += substitutedFamilies(QString::fromLatin1(generic));
        return all;
    }();
    return families;
}

// A match is close when it is the face itself or one of the aliases the configuration adds for this very
// name (Liberation Sans for Arial, say), not a default that any unknown name would get.
bool isCloseMatch(const QString& faceName, const QString& found) {
    if (found.compare(faceName, Qt::CaseInsensitive) == 0)
        return true;
    return substitutedFamilies(faceName).contains(found, Qt::CaseInsensitive) &&
           !defaultFamilies().contains(found, Qt::CaseInsensitive);
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
        const QString found = matchFamily(faceName, -1);
        if (!found.isEmpty() && isCloseMatch(faceName, found)) {
            face.family = found;
            face.substituted = false;
        }
    }
    const bool wantsBold = nameSaysBold(faceName);
    if (face.substituted) {
        face.family = matchFamily(genericFor(faceName), wantsBold ? FC_WEIGHT_BOLD : -1);
        if (face.family.isEmpty())
            face.family = QStringLiteral("sans-serif");
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
