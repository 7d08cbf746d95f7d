// Entry point. The program reads no command line.
#include "app/Startup.h"

int main(int, char**) { return tongshu::RunApplication(); }
