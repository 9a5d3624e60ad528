#include "Programa.h"

int main(int, char** argv) { return miravane::runProgram(argv[0], miravane::makeMainForm); }
