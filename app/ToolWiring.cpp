#include "ToolWiring.h"

namespace tongshu {

shell::ToolWindows MakeToolWindows() {
  shell::ToolWindows tools;
  return tools;
}

}  // namespace tongshu
