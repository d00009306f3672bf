#pragma once

#include <QDomDocument>
#include <QImage>
#include <QString>

// Renders an SVG document into a transparent, antialiased size x size image, the
// picture centred with its proportions kept. Qt SVG ignores clip-path, which several
// flags use to cut a stripe or an emblem to shape; a clipped element that is a direct
// child of the root is therefore drawn on a layer of its own and masked with its
// clipPath (user-space units), in document order with the rest. Other clips are
// ignored, as Qt SVG does. A null image, with an error text, when Qt SVG cannot read
// the document.
QImage renderSvgPicture(const QDomDocument& document, int size, QString* error);
