// ferolune-cli: the fertility calendar of the program without a window, as a PDF, iCalendar
// or CSV file.

#include "cli/command_line.h"

int main(int argc, char *argv[])
{
    return ferolune::CommandLineMain(argc, argv);
}
