#include "core/RowEdits.h"

#include "core/ConfigText.h"
#include "core/SettingLookup.h"

namespace RowEdits {
namespace {

const QString CommentMark = QStringLiteral(";");

// The line around position in text: [start, end) without its line break.
std::pair<qsizetype, qsizetype> lineAround(const QString& text, qsizetype position)
{
    qsizetype start = 0;
    if (position >= 2) {
        const qsizetype previousBreak = text.lastIndexOf(ConfigText::LineBreak, position - 2);
        if (previousBreak >= 0)
            start = previousBreak + ConfigText::LineBreak.size();
    }
    qsizetype end = text.indexOf(ConfigText::LineBreak, start);
    if (end < 0)
        end = text.size();
    return {start, end};
}

} // namespace

bool ValueEdit::needsValue() const
{
    using SettingLookup::Kind;
    return kind == Kind::Number || kind == Kind::String || kind == Kind::Multiple;
}

Row newRow(const ValueEdit& edit)
{
    if (edit.multiple())
        return Row{QString(), edit.name + edit.choice, edit.value};
    return Row{QString(), edit.name, edit.choice + edit.value};
}

std::pair<QString, QString> editedRow(const ValueEdit& edit, const Row& row)
{
    if (edit.multiple()) {
        const bool sameSuffix = SettingLookup::nameForRow(row.Setting) == edit.stem + edit.choice;
        return {sameSuffix ? row.Setting : edit.stem + edit.choice, edit.value};
    }
    // A choice is shown without the blanks around it.
    const bool sameChoice = !edit.needsValue() && edit.value.isEmpty() &&
                            edit.choice == SettingLookup::trimBlanks(row.Parameter);
    return {row.Setting, sameChoice ? row.Parameter : edit.choice + edit.value};
}

QString newLine(const ValueEdit& edit)
{
    const QString name = edit.name == SettingLookup::BlankLineEntry ? QString() : edit.name;
    return edit.multiple() ? name + edit.choice + u' ' + edit.value + u'\n'
                           : name + u' ' + edit.choice + edit.value + u'\n';
}

QString newRowKey(int rowCount, bool multiple, double fraction)
{
    if (multiple)
        return QStringLiteral("K") + QString::number(rowCount + 1);
    const auto number = static_cast<float>(rowCount + 2 + fraction);
    return QStringLiteral("K") + QString::number(number, 'g', 7);
}

QString blankRowKey(int rowCount)
{
    return QStringLiteral("KB") + QString::number(rowCount + 1);
}

std::pair<QString, QString> toggledComment(const Row& row)
{
    if (row.Setting == CommentMark)
        return ConfigText::splitFirstWord(row.Parameter);
    return {CommentMark, row.Setting + u' ' + row.Parameter};
}

QString toggledLine(QString line)
{
    qsizetype firstNonSpace = 0;
    while (firstNonSpace < line.size() && line.at(firstNonSpace) == u' ')
        ++firstNonSpace;
    if (firstNonSpace < line.size() && line.at(firstNonSpace) == CommentMark.front())
        return line.remove(firstNonSpace, 1);
    return CommentMark + line;
}

QString toggleCommentAt(const QString& text, qsizetype position)
{
    const auto [start, end] = lineAround(text, position);
    return text.first(start) + toggledLine(text.sliced(start, end - start)) + text.sliced(end);
}

} // namespace RowEdits
