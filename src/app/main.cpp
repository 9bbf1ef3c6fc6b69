#include "app/front_end.h"
#include "platform/console_attach.h"

int main(int argc, char** argv) {
  setup::AttachToParentConsole();
  return setup::RunFrontEnd(argc, argv);
}
