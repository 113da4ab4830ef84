#pragma once

#include <QString>

// Where the program's own files (DraCFG.mdb, DraCFG.html, DraCFG.ini) are found.
namespace InstallLayout {

// The shared data folder of an installed prefix, relative to the program's folder (bin/).
inline const QString SharedDataFromProgram = QStringLiteral("../share/dracfg-editor");

// The program's own folder when the catalogue lies there (the build tree, a copied folder);
// otherwise the prefix's shared data folder when the catalogue lies there. Derived from the
// program's folder, not from a prefix fixed at build time, so a moved installation still works.
// With the catalogue in neither, the program's folder, whose missing catalogue is then reported.
QString dataDirectory(const QString& programDir);

} // namespace InstallLayout
