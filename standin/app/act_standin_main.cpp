#include "standin/standin_app.h"

int main(int argc, char** argv) {
  return standin::runStandin(argc, argv);
}
