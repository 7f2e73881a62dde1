#include <string>
#include <vector>

#include "service/CommandLine.h"

int main(int argc, char** argv) {
    return synchub::service::runProgram(std::vector<std::string>(argv + 1, argv + argc));
}
