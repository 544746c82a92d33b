#pragma once

#include <QDesktopServices>
#include <QUrl>

namespace zendra {

// Opens a web page in the user's default browser. An interface so that tests can see which page a
// link asks for without starting a browser.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    // Returns false when the desktop could not open the page (no browser configured).
    virtual bool open(const QUrl& url) = 0;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    bool open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

} // namespace zendra
