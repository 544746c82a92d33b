#pragma once

// The word a mistyped one was most likely meant to be, for "did you mean ...?" hints.

#include <QString>
#include <QStringList>
#include <optional>

namespace zendra {

// The one candidate closest to `word`, ignoring case: one that `word` begins (at least three
// letters), else one within one edit (two for words longer than four letters), where swapping two
// neighbouring letters counts as one edit. None when nothing is that close or two are equally close.
std::optional<QString> nearestWord(const QString& word, const QStringList& candidates);

} // namespace zendra
