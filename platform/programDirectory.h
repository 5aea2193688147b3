#pragma once
// Pictures and music are found beside the executable, whatever the working
// directory the program was started from.

// Makes the directory that holds the running executable the working
// directory. Returns false (and changes nothing) if it cannot be found.
bool enterProgramDirectory();
