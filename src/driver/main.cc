#include "driver/run_driver.h"

int main(int argc, char** argv) { return tokshuf::runTokshuf(argc, argv); }
