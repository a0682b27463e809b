// Tessaline: batch processing of AutoCAD drawing sets.

#include "app/application.h"
#include "app/fontwarmup.h"

int main(int argc, char *argv[])
{
    return tess::runWithApplication(argc, argv, [] {
        tess::Application app;
        return app.run();
    });
}
