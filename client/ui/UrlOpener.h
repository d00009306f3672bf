#pragma once

#include <QUrl>

#include <functional>

// Hands a web link to the desktop's default handler (QDesktopServices::openUrl unless
// replaced). Tests install an opener that records the link, so no browser starts; an
// empty opener restores the desktop's.
using UrlOpener = std::function<bool(const QUrl& url)>;
void setUrlOpener(UrlOpener opener);
bool openUrl(const QUrl& url);

// Opens a purchase link from the web API: parsed tolerantly, and only when it is an
// http or https address, since the desktop would also start local files and other
// programs for any scheme it knows.
bool openWebLink(const QString& link);
