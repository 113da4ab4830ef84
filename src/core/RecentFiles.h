#pragma once

#include <QString>
#include <QStringList>

// The files the user last opened or saved, newest first, at most MaxEntries, each once.
class RecentFiles {
public:
    static constexpr int MaxEntries = 8;

    RecentFiles() = default;
    // Keeps what a list built by add() could hold: absolute paths, each once, the first
    // MaxEntries; anything else (a damaged store) is dropped.
    explicit RecentFiles(const QStringList& paths);

    const QStringList& paths() const { return m_paths; }
    bool isEmpty() const { return m_paths.isEmpty(); }

    // To the front; an earlier entry for the same file goes, and the oldest falls off.
    void add(const QString& path);
    void remove(const QString& path);
    void clear() { m_paths.clear(); }

    // The stored form: one path a line. A text that is no such list reads as what it holds
    // of one, down to nothing.
    static RecentFiles fromStored(const QString& text);
    QString toStored() const;

    // A menu caption: the number (1 to MaxEntries) as mnemonic, then the path with its own
    // ampersands doubled so that they show.
    static QString menuCaption(int number, const QString& path);

private:
    QStringList m_paths;
};
