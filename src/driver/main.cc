#include "driver/run_driver.h"
#include "util/standard_descriptors.h"

int main(int argc, char** argv) {
  tokshuf::util::ensureStandardDescriptors();
  return tokshuf::runTokshuf(argc, argv);
}
