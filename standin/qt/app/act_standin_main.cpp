#include "standin/qt/standin_app.h"

int main(int argc, char** argv) {
  return standin_qt::runStandin(argc, argv);
}
