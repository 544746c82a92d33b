#include "cli/nearest_word.h"

#include <algorithm>
#include <vector>

namespace zendra {

namespace {

// Edits that turn `a` into `b`: insertions, deletions, substitutions and swaps of neighbours.
qsizetype editDistance(const QString& a, const QString& b) {
    const qsizetype rows = a.size() + 1;
    const qsizetype columns = b.size() + 1;
    std::vector<qsizetype> d(std::size_t(rows * columns));
    const auto at = [&](qsizetype i, qsizetype j) -> qsizetype& { return d[std::size_t(i * columns + j)]; };
    for (qsizetype i = 0; i < rows; ++i) {
        at(i, 0) = i;
    }
    for (qsizetype j = 0; j < columns; ++j) {
        at(0, j) = j;
    }
    for (qsizetype i = 1; i < rows; ++i) {
        for (qsizetype j = 1; j < columns; ++j) {
            const qsizetype cost = a[i - 1] == b[j - 1] ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
            }
        }
    }
    return at(rows - 1, columns - 1);
}

// The only element of `matches`; none for zero or several.
std::optional<QString> single(const QStringList& matches) {
    return matches.size() == 1 ? std::optional(matches.first()) : std::nullopt;
}

} // namespace

std::optional<QString> nearestWord(const QString& word, const QStringList& candidates) {
    const QString typed = word.toLower();
    if (typed.size() >= 3) {
        QStringList begun;
        for (const QString& candidate : candidates) {
            if (candidate.startsWith(typed)) {
                begun << candidate;
            }
        }
        if (!begun.isEmpty()) {
            return single(begun);
        }
    }
    const qsizetype allowed = typed.size() > 4 ? 2 : 1;
    qsizetype best = allowed + 1;
    QStringList nearest;
    for (const QString& candidate : candidates) {
        const qsizetype distance = editDistance(typed, candidate);
        if (distance < best) {
            best = distance;
            nearest = {candidate};
        } else if (distance == best) {
            nearest << candidate;
        }
    }
    return single(nearest);
}

} // namespace zendra
