#pragma once

#include "core/CatalogueTable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the server would refuse or silently ignore in a configuration file, found with the
// look-up the value editor uses, so that the check and the editor never disagree.
namespace ProblemCheck {

enum class Severity { Error, Warning };

struct Problem {
    int line = 0; // 1-based
    Severity severity = Severity::Warning;
    QString code;    // stable: "unknown-setting", "out-of-range", ...
    QString setting; // both as shown: see visible()
    QString message;
    QString suggestion; // unknown-setting: the known name it is closest to, if any

    friend bool operator==(const Problem&, const Problem&) = default;
};

// lines: the document's lines, line 1 first. The settings of `catalogue` introduced after
// `version` are those the chosen server does not have. Problems come by line, then in the
// order a line is checked (its name, its value, then a repeated setting).
QList<Problem> check(const QStringList& lines, const VersionedCatalogue& catalogue, float version);

// The text with every character a terminal or a text view would obey rather than show (C0,
// DEL, C1, line and paragraph separators, bidirectional controls) written out as \x1B or
// \u2028. Apply it after any change of case, which would turn "\x1b" into another text.
QString visible(const QString& text);
bool isObeyedControl(char16_t c);

// What a number setting's note allows: "1 to 65535, default 7420" -> 1, 65535 and 7420.
struct NumberRange {
    qint64 low = 0;
    qint64 high = 0;
    std::optional<qint64> byDefault; // only a default inside the range
};
std::optional<NumberRange> numberRange(const QString& note);

// "error" or "warning".
QString severityName(Severity severity);

struct Counts {
    int errors = 0;
    int warnings = 0;
};
Counts count(const QList<Problem>& problems);
// "2 errors, 3 warnings", "1 error", "3 warnings", "No problems".
QString summary(const Counts& counts);

} // namespace ProblemCheck
