// The editor program.

#include "tessel_app.h"

CTesselApp theApp;

int main(int argc, char** argv) {
    return AfxWinMain(argc, argv);
}
