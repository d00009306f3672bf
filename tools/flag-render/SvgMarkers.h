#pragma once

#include <QDomDocument>
#include <QString>

// Qt SVG does not draw markers (marker-start, marker-mid, marker-end): some flags place
// their stars that way, and would lose them. This rewrites such a document so that
// every marker is a plain group at its vertex, which Qt SVG draws. Markers on path,
// line, polyline and polygon elements are expanded; orient="auto" takes the direction
// of the straight chords through the vertex, which is exact for straight segments.
// False, with an error text, when a shape's vertices cannot be read or a marker is
// missing.
bool expandSvgMarkers(QDomDocument& document, QString* error);
