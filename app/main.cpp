#include "ui/Application.h"

int main(int Argc, char** Argv) { return RunBraskvalla(Argc, Argv); }
