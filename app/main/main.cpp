#include "app/wirevane_app.h"

int main(int argc, char** argv)
{
    wirevane::CWirevaneApp app;
    return app.InitInstance(argc, argv);
}
