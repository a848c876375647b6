// The one-key commands of the keyboard and the function keys. After every key an open menu is
// rebuilt so that it shows the changed values.
#pragma once

void runKeyCommand(int key);
void runSpecialKeyCommand(int key);
