#include "SvgPicture.h"

#include <QHash>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QVector>

namespace {

bool isDefinition(const QString& tag)
{
    static const QStringList tags = {
        QStringLiteral("defs"),           QStringLiteral("clipPath"), QStringLiteral("marker"),
        QStringLiteral("mask"),           QStringLiteral("pattern"),  QStringLiteral("symbol"),
        QStringLiteral("filter"),         QStringLiteral("style"),    QStringLiteral("linearGradient"),
        QStringLiteral("radialGradient"), QStringLiteral("title"),    QStringLiteral("desc"),
        QStringLiteral("metadata")};
    return tags.contains(tag);
}

QString clipId(const QDomElement& element)
{
    static const QRegularExpression reference(QStringLiteral("^\\s*url\\(\\s*#([^)\\s]+)\\s*\\)\\s*$"));
    const QRegularExpressionMatch match = reference.match(element.attribute(QStringLiteral("clip-path")));
    return match.hasMatch() ? match.captured(1) : QString();
}

// Qt SVG paints the shapes of a clipPath outside <defs> as if they were content (black,
// where the flag's background usually covers them), so each goes into a <defs> of its
// own, in place.
void collectClips(QDomElement element, bool inDefinitions, QHash<QString, QDomElement>* clips)
{
    if (element.tagName() == QLatin1String("clipPath")) {
        clips->insert(element.attribute(QStringLiteral("id")), element);
        if (!inDefinitions) {
            QDomElement defs = element.ownerDocument().createElement(QStringLiteral("defs"));
            element.parentNode().replaceChild(defs, element);
            defs.appendChild(element);
        }
        return;
    }
    inDefinitions = inDefinitions || element.tagName() == QLatin1String("defs");
    for (QDomElement child = element.firstChildElement(); !child.isNull();) {
        const QDomElement next = child.nextSiblingElement(); // before the child may move
        collectClips(child, inDefinitions, clips);
        child = next;
    }
}

// A copy of the document that draws only the root's children [first, last] (indices
// among the root's drawable children). The others go into a <defs>, not away, so that
// <use> elements still find what they refer to.
QDomDocument keepOnly(const QDomDocument& document, int first, int last)
{
    QDomDocument copy = document.cloneNode(true).toDocument();
    QDomElement root = copy.documentElement();
    QDomElement hidden = copy.createElement(QStringLiteral("defs"));
    QVector<QDomElement> drawable;
    for (QDomElement child = root.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        if (!isDefinition(child.tagName()))
            drawable.append(child);
    for (int i = 0; i < drawable.size(); ++i) {
        if (i < first || i > last)
            hidden.appendChild(root.removeChild(drawable[i]));
        else
            drawable[i].removeAttribute(QStringLiteral("clip-path"));
    }
    root.appendChild(hidden);
    return copy;
}

// The clip's shapes, filled opaque, in the user space of the element that uses it.
QDomElement maskOf(QDomDocument& document, const QDomElement& user, const QDomElement& clip)
{
    QDomElement group = document.createElement(QStringLiteral("g"));
    if (user.hasAttribute(QStringLiteral("transform")))
        group.setAttribute(QStringLiteral("transform"), user.attribute(QStringLiteral("transform")));
    QDomElement inner = document.createElement(QStringLiteral("g"));
    if (clip.hasAttribute(QStringLiteral("transform")))
        inner.setAttribute(QStringLiteral("transform"), clip.attribute(QStringLiteral("transform")));
    group.appendChild(inner);
    for (QDomElement shape = clip.firstChildElement(); !shape.isNull(); shape = shape.nextSiblingElement()) {
        QDomElement filled = shape.cloneNode(true).toElement();
        // Only the geometry of a clip's shapes counts, not their paint.
        filled.setAttribute(QStringLiteral("fill"), QStringLiteral("#000"));
        filled.setAttribute(QStringLiteral("fill-opacity"), QStringLiteral("1"));
        filled.setAttribute(QStringLiteral("opacity"), QStringLiteral("1"));
        filled.setAttribute(QStringLiteral("stroke"), QStringLiteral("none"));
        filled.setAttribute(QStringLiteral("fill-rule"),
                            shape.attribute(QStringLiteral("clip-rule"), QStringLiteral("nonzero")));
        inner.appendChild(filled);
    }
    return group;
}

bool draw(const QDomDocument& document, QImage* image, QString* error)
{
    QSvgRenderer renderer(document.toByteArray());
    if (!renderer.isValid()) {
        *error = QStringLiteral("Qt SVG cannot read it");
        return false;
    }
    const int size = image->width();
    QSizeF box = renderer.viewBoxF().size();
    if (box.isEmpty())
        box = QSizeF(size, size);
    box.scale(size, size, Qt::KeepAspectRatio);
    QPainter painter(image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF((size - box.width()) / 2, (size - box.height()) / 2, box.width(), box.height()));
    return true;
}

QImage blank(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

QImage renderSvgPicture(const QDomDocument& source, int size, QString* error)
{
    QDomDocument document = source.cloneNode(true).toDocument();
    QHash<QString, QDomElement> clips;
    collectClips(document.documentElement(), false, &clips);
    QVector<QDomElement> drawable;
    for (QDomElement child = document.documentElement().firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        if (!isDefinition(child.tagName()))
            drawable.append(child);

    QImage image = blank(size);
    QPainter composer(&image);
    int runStart = 0;
    for (int i = 0; i <= drawable.size(); ++i) {
        const bool end = i == drawable.size();
        const QDomElement clip = end ? QDomElement() : clips.value(clipId(drawable[i]));
        const bool masked =
            !clip.isNull() && clip.attribute(QStringLiteral("clipPathUnits")) != QLatin1String("objectBoundingBox");
        if (!end && !masked)
            continue;
        if (i > runStart) {
            QImage run = blank(size);
            if (!draw(keepOnly(document, runStart, i - 1), &run, error))
                return {};
            composer.drawImage(0, 0, run);
        }
        if (end)
            break;
        QImage layer = blank(size);
        QImage mask = blank(size);
        QDomDocument maskDocument = keepOnly(document, 1, 0);
        maskDocument.documentElement().appendChild(maskOf(maskDocument, drawable[i], clip));
        if (!draw(keepOnly(document, i, i), &layer, error) || !draw(maskDocument, &mask, error))
            return {};
        {
            QPainter masking(&layer);
            masking.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            masking.drawImage(0, 0, mask);
        }
        composer.drawImage(0, 0, layer);
        runStart = i + 1;
    }
    return image;
}
