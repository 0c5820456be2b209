#include "CApplicationStart.h"

int main(int argc, char* argv[])
{
    return CApplicationStart().Run(argc, argv);
}
