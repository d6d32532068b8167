#include "shell/Application.h"

int main(int argc, char *argv[])
{
    return quillery::runApplication(argc, argv);
}
