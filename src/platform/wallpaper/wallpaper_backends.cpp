#include "platform/wallpaper/wallpaper_backends.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>

namespace platform {

namespace {

const QString kGsettings = QStringLiteral("gsettings");
const QString kXfconf = QStringLiteral("xfconf-query");
const QString kDbusSend = QStringLiteral("dbus-send");

QString cleanLocalPath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool samePicture(const QString& candidate, const QString& picture) {
    return !candidate.isEmpty() && cleanLocalPath(candidate) == cleanLocalPath(picture);
}

QString fileUri(const QString& picture) {
    return QUrl::fromLocalFile(cleanLocalPath(picture)).toString(QUrl::FullyEncoded);
}

// Runs the tool; on failure puts its reason into `error`.
bool runTool(ToolRunner& tools, const QString& program, const QStringList& arguments, QString& error,
             QString* output = nullptr) {
    const ToolRun run = tools.run(program, arguments);
    if (!run.succeeded()) {
        error = run.failure(program);
        return false;
    }
    if (output != nullptr)
        *output = run.output;
    return true;
}

// GNOME and its derivatives, Cinnamon and MATE: one schema, a required picture key and optional ones
// (GNOME's dark-style key exists only from GNOME 42 on), holding either a file URI or a plain path.
class GsettingsBackend final : public WallpaperBackend {
public:
    GsettingsBackend(ToolRunner& tools, QString schema, QStringList keys, bool uriValues)
        : tools_(tools), schema_(std::move(schema)), keys_(std::move(keys)), uriValues_(uriValues) {}

    bool read(QJsonObject& state, QString& error) override {
        QStringList keys;
        if (!presentKeys(keys, error))
            return false;
        for (const QString& key : keys) {
            QString printed;
            if (!runTool(tools_, kGsettings, {QStringLiteral("get"), schema_, key}, error, &printed))
                return false;
            state.insert(key, printed.trimmed());
        }
        return true;
    }

    bool shows(const QJsonObject& state, const QString& picture) const override {
        for (auto it = state.begin(); it != state.end(); ++it) {
            const QString value = gvariantStringValue(it.value().toString());
            if (samePicture(uriValues_ ? QUrl(value).toLocalFile() : value, picture))
                return true;
        }
        return false;
    }

    bool show(const QString& picture, QString& error) override {
        return setAll(gvariantString(uriValues_ ? fileUri(picture) : cleanLocalPath(picture)), error);
    }

    bool restore(const QJsonObject& state, QString& error) override {
        QStringList keys;
        if (!presentKeys(keys, error))
            return false;
        for (const QString& key : keys) {
            if (state.contains(key) && !set(key, state.value(key).toString(), error))
                return false;
        }
        return true;
    }

    bool clear(QString& error) override { return setAll(QStringLiteral("''"), error); }

private:
    // The picture keys this schema has on this system, asked once.
    bool presentKeys(QStringList& keys, QString& error) {
        if (present_.isEmpty()) {
            QString listed;
            if (!runTool(tools_, kGsettings, {QStringLiteral("list-keys"), schema_}, error, &listed))
                return false;
            const QStringList installed = listed.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            for (const QString& key : keys_)
                if (installed.contains(key))
                    present_ << key;
            if (!present_.contains(keys_.constFirst())) {
                present_.clear();
                error =
                    QStringLiteral("the settings schema %1 has no key %2.").arg(schema_, keys_.constFirst());
                return false;
            }
        }
        keys = present_;
        return true;
    }

    bool set(const QString& key, const QString& value, QString& error) {
        return runTool(tools_, kGsettings, {QStringLiteral("set"), schema_, key, value}, error);
    }

    bool setAll(const QString& value, QString& error) {
        QStringList keys;
        if (!presentKeys(keys, error))
            return false;
        for (const QString& key : keys)
            if (!set(key, value, error))
                return false;
        return true;
    }

    ToolRunner& tools_;
    QString schema_;
    QStringList keys_;
    bool uriValues_;
    QStringList present_;
};

// XFCE keeps one picture per monitor and workspace in its desktop channel, under ".../last-image".
class XfceBackend final : public WallpaperBackend {
public:
    explicit XfceBackend(ToolRunner& tools) : tools_(tools) {}

    bool read(QJsonObject& state, QString& error) override {
        QStringList properties;
        if (!imageProperties(properties, error))
            return false;
        for (const QString& property : properties) {
            QString value;
            if (!runTool(tools_, kXfconf, {kChannelOption, kChannel, QStringLiteral("-p"), property}, error,
                         &value))
                return false;
            state.insert(property, value.endsWith(QLatin1Char('\n')) ? value.chopped(1) : value);
        }
        return true;
    }

    bool shows(const QJsonObject& state, const QString& picture) const override {
        for (auto it = state.begin(); it != state.end(); ++it)
            if (samePicture(it.value().toString(), picture))
                return true;
        return false;
    }

    bool show(const QString& picture, QString& error) override {
        QStringList properties;
        if (!imageProperties(properties, error))
            return false;
        // A desktop that never had a picture has no property yet: create the first monitor's.
        if (properties.isEmpty())
            return create(QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image"),
                          cleanLocalPath(picture), error);
        for (const QString& property : properties)
            if (!set(property, cleanLocalPath(picture), error))
                return false;
        return true;
    }

    bool restore(const QJsonObject& state, QString& error) override {
        QStringList properties;
        if (!imageProperties(properties, error))
            return false;
        for (auto it = state.begin(); it != state.end(); ++it) {
            const QString value = it.value().toString();
            if (!(properties.contains(it.key()) ? set(it.key(), value, error)
                                                : create(it.key(), value, error)))
                return false;
        }
        // A picture property the noted state lacks was made by show() on a desktop without one: the
        // earlier state is its absence.
        for (const QString& property : properties)
            if (!state.contains(property) && !reset(property, error))
                return false;
        return true;
    }

    bool clear(QString& error) override {
        QStringList properties;
        if (!imageProperties(properties, error))
            return false;
        for (const QString& property : properties)
            if (!set(property, QString(), error))
                return false;
        return true;
    }

private:
    inline static const QString kChannelOption = QStringLiteral("-c");
    inline static const QString kChannel = QStringLiteral("xfce4-desktop");

    bool imageProperties(QStringList& properties, QString& error) {
        const ToolRun run = tools_.run(kXfconf, {kChannelOption, kChannel, QStringLiteral("-l")});
        if (run.end != ToolRun::End::Finished) {
            error = run.failure(kXfconf);
            return false;
        }
        // An empty channel is reported as a failure of the listing: it simply has no pictures yet.
        properties.clear();
        if (run.exitCode != 0)
            return true;
        for (const QString& line : run.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (line.trimmed().endsWith(QLatin1String("/last-image")))
                properties << line.trimmed();
        return true;
    }

    bool set(const QString& property, const QString& value, QString& error) {
        return runTool(
            tools_, kXfconf,
            {kChannelOption, kChannel, QStringLiteral("-p"), property, QStringLiteral("-s"), value}, error);
    }

    bool reset(const QString& property, QString& error) {
        return runTool(tools_, kXfconf,
                       {kChannelOption, kChannel, QStringLiteral("-p"), property, QStringLiteral("-r")},
                       error);
    }

    bool create(const QString& property, const QString& value, QString& error) {
        return runTool(tools_, kXfconf,
                       {kChannelOption, kChannel, QStringLiteral("-p"), property, QStringLiteral("-n"),
                        QStringLiteral("-t"), QStringLiteral("string"), QStringLiteral("-s"), value},
                       error);
    }

    ToolRunner& tools_;
};

// KDE Plasma: a desktop script run by the shell through its session-bus interface. Each desktop
// (containment) has its wallpaper plugin and, for the picture plugin, an image URL.
class KdeBackend final : public WallpaperBackend {
public:
    explicit KdeBackend(ToolRunner& tools) : tools_(tools) {}

    bool read(QJsonObject& state, QString& error) override {
        QString printed;
        if (!evaluate(QStringLiteral("var r = []; var ds = desktops();"
                                     "for (var i = 0; i < ds.length; i++) { var d = ds[i];"
                                     " d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                                     " r.push({plugin: d.wallpaperPlugin, image: d.readConfig('Image')}); }"
                                     "print(JSON.stringify(r));"),
                      error, &printed))
            return false;
        const QJsonDocument desktops = QJsonDocument::fromJson(printed.trimmed().toUtf8());
        if (!desktops.isArray()) {
            error = QStringLiteral("the Plasma shell gave no list of desktops.");
            return false;
        }
        state.insert(QStringLiteral("desktops"), desktops.array());
        return true;
    }

    bool shows(const QJsonObject& state, const QString& picture) const override {
        for (const QJsonValue desktop : state.value(QStringLiteral("desktops")).toArray()) {
            const QString image = desktop.toObject().value(QStringLiteral("image")).toString();
            if (desktop.toObject().value(QStringLiteral("plugin")).toString() ==
                    QLatin1String("org.kde.image") &&
                samePicture(QUrl(image).toLocalFile(), picture))
                return true;
        }
        return false;
    }

    bool show(const QString& picture, QString& error) override {
        return forEachDesktop(
            QStringLiteral("d.wallpaperPlugin = 'org.kde.image';"
                           " d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                           " d.writeConfig('Image', %1);")
                .arg(jsString(fileUri(picture))),
            error);
    }

    bool restore(const QJsonObject& state, QString& error) override {
        const QByteArray saved =
            QJsonDocument(state.value(QStringLiteral("desktops")).toArray()).toJson(QJsonDocument::Compact);
        return evaluate(
            QStringLiteral("var saved = %1; var ds = desktops();"
                           "for (var i = 0; i < ds.length && i < saved.length; i++) { var d = ds[i];"
                           " d.wallpaperPlugin = saved[i].plugin;"
                           " d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                           " d.writeConfig('Image', saved[i].image); }")
                .arg(QString::fromUtf8(saved)),
            error);
    }

    bool clear(QString& error) override {
        return forEachDesktop(
            QStringLiteral("d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
                           " d.writeConfig('Image', '');"),
            error);
    }

private:
    // A JavaScript string literal (JSON's rules are a subset).
    static QString jsString(const QString& text) {
        const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(array.mid(1, array.size() - 2));
    }

    bool forEachDesktop(const QString& body, QString& error) {
        return evaluate(
            QStringLiteral("var ds = desktops(); for (var i = 0; i < ds.length; i++) { var d = ds[i]; ") +
                body + QStringLiteral(" }"),
            error);
    }

    bool evaluate(const QString& script, QString& error, QString* printed = nullptr) {
        return runTool(tools_, kDbusSend,
                       {QStringLiteral("--session"), QStringLiteral("--dest=org.kde.plasmashell"),
                        QStringLiteral("--type=method_call"), QStringLiteral("--print-reply=literal"),
                        QStringLiteral("/PlasmaShell"), QStringLiteral("org.kde.PlasmaShell.evaluateScript"),
                        QStringLiteral("string:") + script},
                       error, printed);
    }

    ToolRunner& tools_;
};

} // namespace

QString gvariantString(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QString gvariantStringValue(const QString& printed) {
    const QString text = printed.trimmed();
    if (text.size() < 2 || (text.front() != QLatin1Char('\'') && text.front() != QLatin1Char('"')) ||
        text.back() != text.front())
        return {};
    QString value;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 2 < text.size())
            ++i;
        value += text[i];
    }
    return value;
}

std::unique_ptr<WallpaperBackend> makeWallpaperBackend(DesktopKind desktop, ToolRunner& tools) {
    switch (desktop) {
    case DesktopKind::Gnome:
        return std::make_unique<GsettingsBackend>(
            tools, QStringLiteral("org.gnome.desktop.background"),
            QStringList{QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark")}, true);
    case DesktopKind::Cinnamon:
        return std::make_unique<GsettingsBackend>(tools, QStringLiteral("org.cinnamon.desktop.background"),
                                                  QStringList{QStringLiteral("picture-uri")}, true);
    case DesktopKind::Mate:
        return std::make_unique<GsettingsBackend>(tools, QStringLiteral("org.mate.background"),
                                                  QStringList{QStringLiteral("picture-filename")}, false);
    case DesktopKind::Xfce:
        return std::make_unique<XfceBackend>(tools);
    case DesktopKind::Kde:
        return std::make_unique<KdeBackend>(tools);
    case DesktopKind::Unknown:
        break;
    }
    return nullptr;
}

} // namespace platform
