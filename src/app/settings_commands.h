// The preference file from the command line: --show-settings prints it, --set changes fields of it,
// so that settings with no key or menu can be changed without a hex editor.
#pragma once

#include <string>
#include <vector>

// Prints every field of the preference file the game would read as "name = value", one a line in
// file order (the defaults, with a note on standard error, when there is no file). 0 = done.
int showSettings();
// Checks every NAME=VALUE against the field's type and range, then writes the file with the game's
// own safe save. 0 = written; 2 = a bad name or value, nothing written; 1 = the file could not be read
// or saved, nothing changed.
int setSettings(const std::vector<std::string>& assignments);
