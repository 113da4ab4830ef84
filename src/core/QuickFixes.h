#pragma once

#include "core/CatalogueTable.h"
#include "core/DocumentEdits.h"
#include "core/ProblemCheck.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The fixes whose outcome is certain for a problem the check found: each rewrites or removes
// whole lines and leaves the rest of a line it rewrites as it was.
namespace QuickFixes {

struct Fix {
    QString title;    // the menu item: "Change to LISTENPORT"
    QString stepName; // the undo step: "Fix: change to LISTENPORT"
    QList<DocumentEdits::LineChange> changes;
    // No change of text: the user types the value, in the value editor set up on the line.
    bool editsValue = false;
    int line = 0; // the problem's

    friend bool operator==(const Fix&, const Fix&) = default;
};

// lines, catalogue and version: those the problem was found with.
QList<Fix> fixesFor(const ProblemCheck::Problem& problem, const QStringList& lines,
                    const VersionedCatalogue& catalogue, float version);

// "Fix all of this kind": the one fix of every problem of problem's code that has exactly one,
// changing its own line only, as one step; nothing when fewer than two such problems exist.
std::optional<Fix> fixAllLike(const ProblemCheck::Problem& problem,
                              const QList<ProblemCheck::Problem>& problems,
                              const QStringList& lines, const VersionedCatalogue& catalogue,
                              float version);

// The problem's message, then the titles of its fixes: a mark's tool tip.
QString tipFor(const QList<ProblemCheck::Problem>& problemsOfLine, const QStringList& lines,
               const VersionedCatalogue& catalogue, float version);

} // namespace QuickFixes
