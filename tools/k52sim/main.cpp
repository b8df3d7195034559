#include "sim.h"

int main(int argc, char **argv) {
    k52sim::Sim sim;
    return sim.run(argc, argv);
}
