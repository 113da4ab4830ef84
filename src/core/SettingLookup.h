#pragma once

#include "core/CatalogueTable.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// What the value editor shows for a setting, worked out from the catalogue alone.
namespace SettingLookup {

// The pseudo-settings that stand for a comment line and an empty line.
inline const QString CommentEntry = QStringLiteral(" COMMENT(;)");
inline const QString BlankLineEntry = QStringLiteral(" BLANK LINE");

// The catalogue entries that may describe `name`, best first: those named exactly `name`, then
// every entry whose name `name` contains (a "multiple" setting followed by its suffix). The
// first whose value type the editor knows is the one it arranges for.
QList<const CatalogueRow*> candidates(const CatalogueTable& catalogue, const QString& name);

// The answers of candidates() as row numbers of the catalogue, found among the name's own
// pieces instead of by a walk over every setting: a whole file holds thousands of names.
// The catalogue must outlive the index and stay unchanged.
class CandidateIndex {
public:
    explicit CandidateIndex(const CatalogueTable& catalogue);
    QList<int> candidates(QStringView name) const;

private:
    QHash<QStringView, int> m_firstByName; // a name's first row
    std::vector<int> m_nextSameName;       // the next row of the same name, or -1
    std::vector<qsizetype> m_lengths;      // of the non-empty names, ascending
    QList<int> m_unnamed;                  // an empty name is inside every name
};

// The editor's arrangement for one value type.
enum class Kind { Unknown, Number, String, Choice, Null, Multiple };
Kind kindOf(const QString& valueType);

struct Arrangement {
    Kind kind = Kind::Unknown;
    QString caption;     // the description beside the controls
    QStringList choices; // the choice box's items
    QString choiceText;  // the choice box's text when it differs from its first item
    bool setChoiceText = false;
    QString value;        // the value box's text
    QString stem;         // a "multiple" row: its name before the suffix, a comment mark included
    QString defaultValue; // a number's default from its note; empty when there is none
};

// editingRow: the arrangement edits an existing row whose parameter is rowValue.
Arrangement arrange(const CatalogueRow& entry, const QString& name, bool editingRow,
                    const QString& rowValue);

// The arrangement for `name`: the first of its candidates whose value type the editor knows,
// or no entry when none is.
struct Chosen {
    const CatalogueRow* entry = nullptr;
    Arrangement arrangement;
};
Chosen choose(const QList<const CatalogueRow*>& candidates, const QString& name, bool editingRow,
              const QString& rowValue);

// "1 to 65535, default 7420" -> "7420". Empty without a default, or with one outside the note's
// own range: the problem check would flag it once written.
QString defaultOf(const QString& note);

// The name the editor is set up with for a list row's setting: upper-cased, a comment row as
// the comment pseudo-setting.
QString nameForRow(const QString& setting);

// Blanks only, not other white space.
QString trimBlanks(const QString& text);

} // namespace SettingLookup
