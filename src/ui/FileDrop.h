#pragma once

#include <QObject>

class QMimeData;
class QWidget;

// A file dropped from the file manager anywhere on the window, on the text view or a text box
// too, is opened rather than inserted as its address. Only local files count; of several, the
// first.
class FileDrop : public QObject {
    Q_OBJECT
public:
    // Watches the window and every widget in it that takes drops of its own.
    explicit FileDrop(QWidget* window);

    static QString firstLocalFile(const QMimeData* data);

signals:
    // After the drop is over, so that a question asked before the file opens does not hold the
    // file manager waiting.
    void fileDropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
