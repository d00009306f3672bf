// Renders every SVG of a folder into a square PNG and writes a Qt resource file that
// lists them under upper-case names (de.svg -> "DE.png"), plus one extra picture under
// a fixed name. The list is read from the folder, so a new package version needs no
// change here.
//
// quarnel_flag_render --svg-dir DIR --extra NAME=FILE.svg --size PX --out DIR --qrc FILE
//                     --prefix /resources/flags

#include "SvgMarkers.h"
#include "SvgPicture.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>

#include <cstdio>

namespace {

struct Picture
{
    QString source;
    QString fileName; // in the output folder
    QString alias;    // name in the resource tree
};

void fail(const QString& message)
{
    std::fprintf(stderr, "quarnel_flag_render: %s\n", qPrintable(message));
}

bool rendersSomething(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return true;
    return false;
}

bool render(const Picture& picture, int size, const QDir& out)
{
    QFile source(picture.source);
    QDomDocument document;
    QString error;
    int line = 0;
    if (!source.open(QIODevice::ReadOnly) || !document.setContent(&source, &error, &line)) {
        fail(QStringLiteral("cannot read %1 (line %2: %3)").arg(picture.source).arg(line).arg(error));
        return false;
    }
    QImage image;
    if (expandSvgMarkers(document, &error))
        image = renderSvgPicture(document, size, &error);
    if (image.isNull()) {
        fail(QStringLiteral("cannot render %1: %2").arg(picture.source, error));
        return false;
    }
    // Qt SVG skips what it does not support without failing; an empty picture means
    // the source relies on it entirely.
    if (!rendersSomething(image)) {
        fail(QStringLiteral("%1 renders as an empty picture").arg(picture.source));
        return false;
    }
    const QString path = out.filePath(picture.fileName);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        fail(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    return true;
}

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

bool writeQrc(const QString& qrcPath, const QString& prefix, const QDir& out, const QVector<Picture>& pictures)
{
    const QDir qrcDir = QFileInfo(qrcPath).absoluteDir();
    QString text;
    QTextStream stream(&text);
    stream << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n    <qresource prefix=\"" << escaped(prefix) << "\">\n";
    for (const Picture& picture : pictures)
        stream << "        <file alias=\"" << escaped(picture.alias) << "\">"
               << escaped(qrcDir.relativeFilePath(out.filePath(picture.fileName))) << "</file>\n";
    stream << "    </qresource>\n</RCC>\n";
    stream.flush();
    QSaveFile file(qrcPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        fail(QStringLiteral("cannot write %1").arg(qrcPath));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // Qt SVG names every attribute it does not draw; the flags use a few, and a warning
    // per flag on every build would bury real messages.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.svg.warning=false"));

    QCommandLineParser parser;
    const QCommandLineOption svgDirOption("svg-dir", "Folder of the SVG sources.", "dir");
    const QCommandLineOption extraOption("extra", "One more picture under a fixed name.", "name=file");
    const QCommandLineOption sizeOption("size", "Width and height in pixels.", "px", "24");
    const QCommandLineOption outOption("out", "Folder of the PNG files.", "dir");
    const QCommandLineOption qrcOption("qrc", "Resource file to write.", "file");
    const QCommandLineOption prefixOption("prefix", "Resource prefix.", "prefix", "/");
    parser.addOptions({svgDirOption, extraOption, sizeOption, outOption, qrcOption, prefixOption});
    parser.addHelpOption();
    parser.process(app);

    bool sizeOk = false;
    const int size = parser.value(sizeOption).toInt(&sizeOk);
    if (!parser.isSet(svgDirOption) || !parser.isSet(outOption) || !parser.isSet(qrcOption) || !sizeOk || size <= 0) {
        fail(QStringLiteral("--svg-dir, --out, --qrc and a positive --size are required"));
        return 2;
    }

    const QDir svgDir(parser.value(svgDirOption));
    const QStringList sources = svgDir.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    if (sources.isEmpty()) {
        fail(QStringLiteral("no SVG files in %1").arg(svgDir.path()));
        return 1;
    }

    QVector<Picture> pictures;
    for (const QString& name : sources) {
        const QString code = QFileInfo(name).completeBaseName();
        pictures.append(
            {svgDir.filePath(name), code + QStringLiteral(".png"), code.toUpper() + QStringLiteral(".png")});
    }
    for (const QString& extra : parser.values(extraOption)) {
        const int equals = extra.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            fail(QStringLiteral("--extra wants NAME=FILE, got %1").arg(extra));
            return 2;
        }
        const QString name = extra.left(equals);
        pictures.append({extra.mid(equals + 1), QStringLiteral("extra-") + name + QStringLiteral(".png"),
                         name + QStringLiteral(".png")});
    }

    QSet<QString> aliases;
    for (const Picture& picture : pictures) {
        if (aliases.contains(picture.alias)) {
            fail(QStringLiteral("two pictures would be named %1").arg(picture.alias));
            return 1;
        }
        aliases.insert(picture.alias);
    }

    QDir out(parser.value(outOption));
    if (!out.mkpath(QStringLiteral("."))) {
        fail(QStringLiteral("cannot create %1").arg(out.path()));
        return 1;
    }
    QSet<QString> written;
    for (const Picture& picture : pictures) {
        if (!render(picture, size, out))
            return 1;
        written.insert(picture.fileName);
    }
    // A flag the package dropped must not linger in the folder from an older render.
    for (const QString& stale : out.entryList({QStringLiteral("*.png")}, QDir::Files))
        if (!written.contains(stale))
            out.remove(stale);

    // Written last: its time stamp tells the build that every picture is in place.
    return writeQrc(parser.value(qrcOption), parser.value(prefixOption), out, pictures) ? 0 : 1;
}
