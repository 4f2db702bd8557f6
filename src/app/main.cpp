#include "app/startup.h"

int main(int argc, char *argv[])
{
    return mhbk::runApplication(argc, argv);
}
