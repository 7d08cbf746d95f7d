// Entry point. The program reads no command line.
#include "Startup.h"

int main(int argc, char** argv) { return tongshu::RunApplication(argc, argv); }
