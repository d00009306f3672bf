#pragma once

#include <QByteArray>

// How deep the elements of an XML text go, read from its bytes before any parser sees
// it. Qt's DOM parser recurses once per level, so an answer nested tens of thousands of
// levels deep overflows the stack, and its time grows with the square of the depth.
class XmlNesting
{
public:
    // False when the elements may go deeper than levels. Never true for a text a parser
    // would read deeper: start tags are counted outside comments, CDATA sections,
    // processing instructions and quoted attribute values; after a document type
    // declaration (whose entities may hold elements) every further "<" counts as one
    // more level.
    static bool within(const QByteArray& xml, int levels);
};
