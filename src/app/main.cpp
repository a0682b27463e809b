// Tessaline: batch processing of AutoCAD drawing sets.

#include "app/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication qtApp(argc, argv);
    tess::Application app;
    return app.run();
}
