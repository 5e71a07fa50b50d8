#include "text/fonts/font_faces.h"

#include "text/fonts/log_font.h"

#include <QSet>
#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <memory>

namespace text {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

} // namespace

QStringList installedFontFaces() {
    const std::unique_ptr<FcPattern, PatternDeleter> outline(FcPatternCreate());
    const std::unique_ptr<FcObjectSet, ObjectSetDeleter> wanted(FcObjectSetCreate());
    if (!outline || !wanted)
        return {};
    FcPatternAddBool(outline.get(), FC_OUTLINE, FcTrue);
    FcObjectSetAdd(wanted.get(), FC_FAMILY);
    const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, outline.get(), wanted.get()));
    if (!fonts)
        return {};
    QStringList families;
    for (int i = 0; i < fonts->nfont; ++i) {
        // The first name is the one the font is known by; the others are alternative or localised names.
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family)
            families.append(QString::fromUtf8(reinterpret_cast<const char*>(family)));
    }
    return listableFaces(families);
}

QStringList listableFaces(const QStringList& families) {
    QStringList faces;
    QSet<QString> seen;
    for (const QString& family : families) {
        if (family.isEmpty() || family.startsWith(QLatin1Char('@')))
            continue;
        // A name cut to fit the record would name another font, or none.
        if (family.toUtf8().size() >= kFaceNameBytes)
            continue;
        if (seen.contains(family))
            continue;
        seen.insert(family);
        faces.append(family);
    }
    std::sort(faces.begin(), faces.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return faces;
}

} // namespace text
