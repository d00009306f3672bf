#include "api/XmlNesting.h"

namespace {

bool startsAt(const QByteArray& text, int at, const char* prefix)
{
    for (int i = 0; prefix[i] != '\0'; ++i) {
        if (at + i >= text.size() || text.at(at + i) != prefix[i])
            return false;
    }
    return true;
}

// Where the construct opened at "at" ends (one past its terminator), or -1 when it never does.
int after(const QByteArray& text, int at, const char* terminator)
{
    const int found = text.indexOf(terminator, at);
    return found < 0 ? -1 : found + int(qstrlen(terminator));
}

} // namespace

bool XmlNesting::within(const QByteArray& xml, int levels)
{
    int depth = 0;
    int i = 0;
    while (i < xml.size()) {
        i = xml.indexOf('<', i);
        if (i < 0)
            return true;
        if (startsAt(xml, i, "<!--")) {
            i = after(xml, i + 4, "-->");
        } else if (startsAt(xml, i, "<![CDATA[")) {
            i = after(xml, i + 9, "]]>");
        } else if (startsAt(xml, i, "<?")) {
            i = after(xml, i + 2, "?>");
        } else if (startsAt(xml, i, "<!")) {
            return depth + xml.count('<') - xml.left(i).count('<') <= levels;
        } else if (startsAt(xml, i, "</")) {
            // A parser stops at an end tag without its start tag, so none lowers the count
            // below zero.
            depth = qMax(0, depth - 1);
            i = after(xml, i + 2, ">");
        } else {
            if (++depth > levels)
                return false;
            // The tag ends at the first ">" outside a quoted value; "/>" closes it at once.
            char quote = 0;
            int end = i + 1;
            for (; end < xml.size(); ++end) {
                const char c = xml.at(end);
                if (quote != 0) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            if (end >= xml.size())
                return true;
            if (xml.at(end - 1) == '/' && end - 1 > i)
                --depth;
            i = end + 1;
        }
        if (i < 0)
            return true; // the rest is inside an unfinished construct: no element starts there
    }
    return true;
}
