#include "app/AllocatorTuning.h"
#include "app/Startup.h"
#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    tuneAllocator();
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProductName);
    QApplication::setOrganizationName(ProductName);

    QtDialogs dialogs;
    const auto window = Startup::run(dialogs, QCoreApplication::applicationDirPath());
    if (!window)
        return 1; // start-up ended after its message
    return QApplication::exec();
}
