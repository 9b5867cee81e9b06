// The program's entry point.
#include "ui/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return ui::start_program(instance); }
