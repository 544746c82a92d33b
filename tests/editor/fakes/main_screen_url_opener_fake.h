#pragma once

#include "editor/url_opener.h"

#include <QUrl>
#include <vector>

namespace zendra::test {

// Remembers every page it was asked to open instead of starting a browser.
class FakeUrlOpener final : public UrlOpener {
public:
    bool open(const QUrl& url) override {
        opened.push_back(url);
        return true;
    }
    std::vector<QUrl> opened;
};

} // namespace zendra::test
