#pragma once
// Names of data files as the program writes them ("Objects\Scene1_27C27.rob", Windows style)
// turned into paths of the data tree below the working directory. Every loader opens its
// files through this, once per opening.

#include "resources/string.h"

// The name with every backslash turned into a slash.
String dataPath(const String& name);

// Told the name of every data file that dataPath is asked for, in order; the tests compare
// what the demo opens with what the data-tree check lists. Null, the default, tells no one.
using DataFileListener = void (*)(const String& name);
void setDataFileListener(DataFileListener listener);
