#include "resources/data_path.h"

#include <vector>

String dataPath(const String& name) {
    std::vector<char> path(name.c_str(), name.c_str() + name.size() + 1);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return String(path.data());
}
