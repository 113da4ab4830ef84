#pragma once

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QSize>
#include <QSplitter>
#include <QTreeWidget>
#include <memory>

// The plain Qt window a start-up is weighed against: the demo configuration file in a text
// field beside a tree of as many items as the demo catalogue has settings, with the text field
// given the editor's default font the way the editor gives it, at the size the editor shows
// itself. Looking the family up fills Qt's font database, which an empty window never does;
// without it the comparison would charge the editor for the fonts every text window pays for.
// The size matters as much: painting a window first touches every pixel of its backing store.
// Null when the demo file cannot be read.
inline std::unique_ptr<QMainWindow> ShowComparableWindow(QSize size)
{
    constexpr int DemoSettings = 158;
    const QString family = QStringLiteral("MS Sans Serif");

    auto window = std::make_unique<QMainWindow>();
    auto* splitter = new QSplitter(window.get());
    auto* tree = new QTreeWidget(splitter);
    tree->setHeaderHidden(true);
    QList<QTreeWidgetItem*> items;
    for (int i = 0; i < DemoSettings; ++i)
        items.append(
            new QTreeWidgetItem({QStringLiteral("SETTING_%1").arg(i, 3, 10, QLatin1Char('0'))}));
    tree->addTopLevelItems(items);

    auto* text = new QPlainTextEdit(splitter);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = text->font();
    font.setFamilies({family});
    font.setStyleHint(QFontDatabase::families().contains(family, Qt::CaseInsensitive)
                          ? QFont::AnyStyle
                          : QFont::SansSerif);
    font.setPointSizeF(10);
    text->setFont(font);
    QFile file(QStringLiteral(DRACFG_DEMO_SERVER_DIR "/bin/dravane.cfg"));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    text->setPlainText(QString::fromLatin1(file.readAll()));

    window->setCentralWidget(splitter);
    window->resize(size);
    window->show();
    return window;
}
