#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QMainWindow;
class QStatusBar;

// sbStatusBar: a passing message on the left; whether the document has unsaved changes, the
// problem counts and the file's format (encoding, line ends, line count) stay on the right.
class StatusBar : public QObject {
    Q_OBJECT
public:
    // The bar belongs to the window; this object only keeps its parts.
    explicit StatusBar(QMainWindow* window);

    QStatusBar* bar() const { return m_bar; }
    QString fileFormat() const;
    QString problemCounts() const;

public slots:
    // Empty hides the part: no document, no format.
    void setFileFormat(const QString& text);
    void setProblemCounts(const QString& text);
    void setModified(bool changed);
    // A message that explains why a command did nothing; it stays until the next one.
    void say(const QString& message);

private:
    QStatusBar* m_bar;
    QLabel* m_modified;
    QLabel* m_problems;
    QLabel* m_format;
};
