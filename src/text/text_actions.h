#pragma once

// What the panel item's menu, its clicks and the shortcuts do with the text. The text itself lives in
// the "text" setting; every view bound to it follows these writes.

#include <QString>
#include <memory>
#include <optional>

class QMimeData;

namespace zendra {

// The general clipboard as the text actions use it.
class Pasteboard {
public:
    virtual ~Pasteboard() = default;
    // The clipboard's plain text, which may be empty; nothing when it holds no text (say, an image).
    virtual std::optional<QString> plainText() const = 0;
    // Replaces everything on the clipboard with `data`.
    virtual void write(std::unique_ptr<QMimeData> data) = 0;
};

// The application's clipboard (QGuiApplication::clipboard()). Needs a QGuiApplication.
class QtPasteboard final : public Pasteboard {
public:
    std::optional<QString> plainText() const override;
    void write(std::unique_ptr<QMimeData> data) override;
};

// The format under which clipboard tools learn which application wrote the clipboard.
inline constexpr char pasteboardSourceFormat[] = "org.nspasteboard.source";

namespace TextActions {

// Shift-click and "Clear Text": removes the stored entry, so the text reads as its default.
void clearTextByRemoving();
// The clearText shortcut: stores the empty string.
void clearTextByStoring();
// The text as plain text, with the bundle identifier under pasteboardSourceFormat.
std::unique_ptr<QMimeData> copyData(const QString& text);
void copyText(Pasteboard& pasteboard);
// Stores the first trimmed line of `text`; nothing happens without text.
void setTextFromString(const std::optional<QString>& text);
void setTextFromClipboard(const Pasteboard& pasteboard);
// The system-service entry point: the text handed in by the service caller.
void setTextService(const std::optional<QString>& text);

} // namespace TextActions
} // namespace zendra
