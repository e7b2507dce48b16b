#include "tools/console_tool.h"

namespace tools {

std::vector<std::string> startConsoleTool(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace tools
