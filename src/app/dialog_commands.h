// What the menu widgets do when activated: the dialog manager's command.
#pragma once

void executeDialogCommand();
