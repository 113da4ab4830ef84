#include "core/EditingState.h"

EditingState::EditingState(QObject* parent)
    : QObject(parent), m_loadError(QStringLiteral("The catalogue database has not been read."))
{}

std::unique_ptr<EditingState> EditingState::read(const QString& dbPath)
{
    auto state = std::make_unique<EditingState>();
    state->load(dbPath);
    return state;
}

bool EditingState::load(const QString& dbPath, QString* error)
{
    return take(readCatalogue(dbPath), error);
}

EditingState::Reading EditingState::readCatalogue(const QString& dbPath)
{
    Reading reading;
    reading.read = CatalogueDatabase::loadEverything(dbPath, reading.everyVersion, reading.versions,
                                                     &reading.problem);
    return reading;
}

bool EditingState::take(Reading reading, QString* error)
{
    if (!reading.read) {
        if (!isLoaded())
            m_loadError = reading.problem;
        if (error)
            *error = reading.problem;
        return false;
    }
    m_everyVersion = std::move(reading.everyVersion);
    m_versions = std::move(reading.versions);
    m_loadError.clear();
    if (error)
        error->clear();
    deriveCatalogue(false);
    emit catalogueLoaded();
    return true;
}

QStringList EditingState::versionCaptions() const
{
    QStringList captions;
    for (const CatalogueDatabase::VersionEntry& version : m_versions)
        captions.append(version.caption);
    return captions;
}

void EditingState::chooseVersion(int index)
{
    if (index < 0 || index >= VersionCount)
        index = 0;
    if (index == m_versionIndex)
        return;
    m_versionIndex = index;
    deriveCatalogue(true);
    emit versionChanged(index);
}

void EditingState::deriveCatalogue(bool keepWhenNone)
{
    m_serverVersion = 0;
    const QString wanted = QString::number(m_versionIndex);
    for (const CatalogueDatabase::VersionEntry& version : std::as_const(m_versions)) {
        if (version.index == wanted) {
            m_serverVersion = version.number;
            break;
        }
    }
    const QList<CatalogueRow>& all = m_everyVersion.settings.rows();
    const auto chosenHas = [this](qsizetype i) {
        return m_everyVersion.introduced.value(i) <= m_serverVersion;
    };
    qsizetype count = 0;
    for (qsizetype i = 0; i < all.size(); ++i)
        count += chosenHas(i) ? 1 : 0;
    // The newest version usually knows every setting: its catalogue shares the rows read.
    QList<CatalogueRow> rows;
    if (count == all.size()) {
        rows = all;
    } else {
        rows.reserve(count);
        for (qsizetype i = 0; i < all.size(); ++i) {
            if (chosenHas(i))
                rows.append(all.at(i));
        }
    }
    if (!rows.isEmpty() || !keepWhenNone)
        m_catalogue.replace(std::move(rows));
}

namespace {

template <typename Signal> void change(EditingState* state, bool& flag, bool value, Signal changed)
{
    if (flag == value)
        return;
    flag = value;
    emit(state->*changed)(value);
}

} // namespace

void EditingState::setListByCategory(bool byCategory)
{
    change(this, m_listByCategory, byCategory, &EditingState::listByCategoryChanged);
}

void EditingState::setConfirmDelete(bool confirm)
{
    change(this, m_confirmDelete, confirm, &EditingState::confirmDeleteChanged);
}

void EditingState::setHelpShown(bool shown)
{
    change(this, m_helpShown, shown, &EditingState::helpShownChanged);
}

void EditingState::setProblemsShown(bool shown)
{
    change(this, m_problemsShown, shown, &EditingState::problemsShownChanged);
}
