#include "SvgMarkers.h"

#include <QDomDocument>
#include <QHash>
#include <QPointF>
#include <QRegularExpression>
#include <QVector>

#include <cmath>

namespace {

// Reads the numbers of path data and polyline points one at a time, the way SVG allows
// them to run together ("1-2.5.5" is three numbers; an arc's flags may be single digits).
class NumberReader
{
public:
    explicit NumberReader(const QString& text) : text(text) {}

    void skipSeparators()
    {
        while (pos < text.size() && (text[pos].isSpace() || text[pos] == QLatin1Char(',')))
            ++pos;
    }

    bool atNumber()
    {
        skipSeparators();
        if (pos >= text.size())
            return false;
        const QChar c = text[pos];
        return c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.');
    }

    bool atEnd()
    {
        skipSeparators();
        return pos >= text.size();
    }

    QChar takeCommand() { return text[pos++]; }

    bool number(double* value)
    {
        static const QRegularExpression pattern(QStringLiteral("[-+]?(\\d+\\.?\\d*|\\.\\d+)([eE][-+]?\\d+)?"));
        skipSeparators();
        const QRegularExpressionMatch match =
            pattern.match(text, pos, QRegularExpression::NormalMatch, QRegularExpression::AnchoredMatchOption);
        if (!match.hasMatch())
            return false;
        *value = match.captured().toDouble();
        pos = match.capturedEnd();
        return true;
    }

    bool flag(double* value)
    {
        skipSeparators();
        if (pos >= text.size() || (text[pos] != QLatin1Char('0') && text[pos] != QLatin1Char('1')))
            return false;
        *value = text[pos++] == QLatin1Char('1') ? 1 : 0;
        return true;
    }

private:
    QString text;
    int pos = 0;
};

// The vertices of path data: every segment's end point, closepath included.
bool pathVertices(const QString& data, QVector<QPointF>* vertices)
{
    NumberReader reader(data);
    QPointF current, subpathStart;
    QChar command;
    while (!reader.atEnd()) {
        if (!reader.atNumber())
            command = reader.takeCommand();
        else if (command.isNull())
            return false;
        const bool relative = command.isLower();
        const QPointF origin = relative ? current : QPointF();
        const QChar kind = command.toUpper();
        double v[7];
        if (kind == QLatin1Char('Z')) {
            current = subpathStart;
            vertices->append(current);
            command = QChar(); // numbers may not follow a closepath without a command
            continue;
        }
        const int counts[] = {2, 2, 1, 1, 6, 4, 4, 2, 7};
        const QString kinds = QStringLiteral("MLHVCSQTA");
        const int which = kinds.indexOf(kind);
        if (which < 0)
            return false;
        for (int i = 0; i < counts[which]; ++i) {
            const bool ok =
                (kind == QLatin1Char('A') && (i == 3 || i == 4)) ? reader.flag(&v[i]) : reader.number(&v[i]);
            if (!ok)
                return false;
        }
        if (kind == QLatin1Char('H'))
            current.setX(origin.x() + v[0]);
        else if (kind == QLatin1Char('V'))
            current.setY(origin.y() + v[0]);
        else
            current = origin + QPointF(v[counts[which] - 2], v[counts[which] - 1]);
        if (kind == QLatin1Char('M')) {
            subpathStart = current;
            command = relative ? QLatin1Char('l') : QLatin1Char('L'); // further pairs are line-tos
        }
        vertices->append(current);
    }
    return true;
}

bool pointsVertices(const QString& points, QVector<QPointF>* vertices)
{
    NumberReader reader(points);
    while (!reader.atEnd()) {
        double x = 0, y = 0;
        if (!reader.number(&x) || !reader.number(&y))
            return false;
        vertices->append(QPointF(x, y));
    }
    return true;
}

double attribute(const QDomElement& element, const char* name, double fallback)
{
    bool ok = false;
    const double value = element.attribute(QLatin1String(name)).toDouble(&ok);
    return ok ? value : fallback;
}

QString markerId(const QDomElement& element, const char* property)
{
    static const QRegularExpression reference(QStringLiteral("^\\s*url\\(\\s*#([^)\\s]+)\\s*\\)\\s*$"));
    const QRegularExpressionMatch match = reference.match(element.attribute(QLatin1String(property)));
    return match.hasMatch() ? match.captured(1) : QString();
}

// The angle of a marker at vertex i: the bisector of the chords in and out, or the
// fixed angle the marker states.
double markerAngle(const QDomElement& marker, const QVector<QPointF>& vertices, int i)
{
    const QString orient = marker.attribute(QStringLiteral("orient"));
    if (orient != QLatin1String("auto") && orient != QLatin1String("auto-start-reverse"))
        return attribute(marker, "orient", 0);
    const bool hasIn = i > 0 && vertices[i - 1] != vertices[i];
    const bool hasOut = i + 1 < vertices.size() && vertices[i + 1] != vertices[i];
    const double in =
        hasIn ? std::atan2(vertices[i].y() - vertices[i - 1].y(), vertices[i].x() - vertices[i - 1].x()) : 0;
    const double out =
        hasOut ? std::atan2(vertices[i + 1].y() - vertices[i].y(), vertices[i + 1].x() - vertices[i].x()) : in;
    double angle = hasIn ? in : out;
    if (hasIn && hasOut) {
        double delta = out - in;
        while (delta > M_PI)
            delta -= 2 * M_PI;
        while (delta < -M_PI)
            delta += 2 * M_PI;
        angle = in + delta / 2;
    }
    if (i == 0 && orient == QLatin1String("auto-start-reverse"))
        angle += M_PI;
    return angle * 180 / M_PI;
}

// transform="..." placing the marker's content at a vertex.
QString markerTransform(const QDomElement& marker, const QDomElement& shape, QPointF at, double angle)
{
    double scale = 1;
    if (marker.attribute(QStringLiteral("markerUnits")) != QLatin1String("userSpaceOnUse"))
        scale = attribute(shape, "stroke-width", 1);
    QString content;
    const QStringList box = marker.attribute(QStringLiteral("viewBox"))
                                .split(QRegularExpression(QStringLiteral("[\\s,]+")), Qt::SkipEmptyParts);
    if (box.size() == 4 && box[2].toDouble() > 0 && box[3].toDouble() > 0) {
        const double fit = std::min(attribute(marker, "markerWidth", 3) / box[2].toDouble(),
                                    attribute(marker, "markerHeight", 3) / box[3].toDouble());
        content = QStringLiteral(" scale(%1)").arg(fit);
    }
    return QStringLiteral("translate(%1 %2) rotate(%3) scale(%4)%5 translate(%6 %7)")
        .arg(at.x())
        .arg(at.y())
        .arg(angle)
        .arg(scale)
        .arg(content)
        .arg(-attribute(marker, "refX", 0))
        .arg(-attribute(marker, "refY", 0));
}

QDomElement markerGroup(QDomDocument& document, const QDomElement& marker, const QString& transform)
{
    static const QStringList ownAttributes = {
        QStringLiteral("id"),      QStringLiteral("markerWidth"), QStringLiteral("markerHeight"),
        QStringLiteral("refX"),    QStringLiteral("refY"),        QStringLiteral("orient"),
        QStringLiteral("viewBox"), QStringLiteral("markerUnits"), QStringLiteral("preserveAspectRatio")};
    QDomElement group = document.createElement(QStringLiteral("g"));
    // Presentation attributes on the marker itself still apply to its content.
    const QDomNamedNodeMap attributes = marker.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr a = attributes.item(i).toAttr();
        if (!ownAttributes.contains(a.name()))
            group.setAttribute(a.name(), a.value());
    }
    group.setAttribute(QStringLiteral("transform"), transform);
    for (QDomNode child = marker.firstChild(); !child.isNull(); child = child.nextSibling())
        group.appendChild(child.cloneNode(true));
    return group;
}

void collect(const QDomElement& element, QHash<QString, QDomElement>* markers, QVector<QDomElement>* shapes)
{
    if (element.tagName() == QLatin1String("marker"))
        markers->insert(element.attribute(QStringLiteral("id")), element);
    else if (element.hasAttribute(QStringLiteral("marker-start")) ||
             element.hasAttribute(QStringLiteral("marker-mid")) || element.hasAttribute(QStringLiteral("marker-end")))
        shapes->append(element);
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement())
        collect(child, markers, shapes);
}

} // namespace

bool expandSvgMarkers(QDomDocument& document, QString* error)
{
    QHash<QString, QDomElement> markers;
    QVector<QDomElement> shapes;
    collect(document.documentElement(), &markers, &shapes);

    for (QDomElement shape : shapes) {
        QVector<QPointF> vertices;
        bool ok = true;
        const QString tag = shape.tagName();
        if (tag == QLatin1String("path"))
            ok = pathVertices(shape.attribute(QStringLiteral("d")), &vertices);
        else if (tag == QLatin1String("polyline") || tag == QLatin1String("polygon"))
            ok = pointsVertices(shape.attribute(QStringLiteral("points")), &vertices);
        else if (tag == QLatin1String("line"))
            vertices = {QPointF(attribute(shape, "x1", 0), attribute(shape, "y1", 0)),
                        QPointF(attribute(shape, "x2", 0), attribute(shape, "y2", 0))};
        if (tag == QLatin1String("polygon") && !vertices.isEmpty())
            vertices.append(vertices.first());
        if (!ok) {
            *error = QStringLiteral("cannot read the vertices of a <%1> with markers").arg(tag);
            return false;
        }
        if (vertices.isEmpty())
            continue;

        QDomElement placed = document.createElement(QStringLiteral("g"));
        if (shape.hasAttribute(QStringLiteral("transform")))
            placed.setAttribute(QStringLiteral("transform"), shape.attribute(QStringLiteral("transform")));
        for (int i = 0; i < vertices.size(); ++i) {
            const char* property = i == 0 ? "marker-start" : i == vertices.size() - 1 ? "marker-end" : "marker-mid";
            const QString id = markerId(shape, property);
            if (id.isEmpty())
                continue;
            if (!markers.contains(id)) {
                *error = QStringLiteral("no marker #%1").arg(id);
                return false;
            }
            const QDomElement marker = markers.value(id);
            placed.appendChild(markerGroup(
                document, marker, markerTransform(marker, shape, vertices[i], markerAngle(marker, vertices, i))));
        }
        shape.parentNode().insertAfter(placed, shape);
        shape.removeAttribute(QStringLiteral("marker-start"));
        shape.removeAttribute(QStringLiteral("marker-mid"));
        shape.removeAttribute(QStringLiteral("marker-end"));
    }
    return true;
}
