#pragma once
// Names of data files as the program writes them ("Objects\Scene1_27C27.rob", Windows style)
// turned into paths of the data tree below the working directory. Every loader opens its
// files through this.

#include "resources/string.h"

// The name with every backslash turned into a slash.
String dataPath(const String& name);
