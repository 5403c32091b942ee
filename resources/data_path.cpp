#include "resources/data_path.h"

#include <vector>

namespace {

DataFileListener listener = nullptr;

}  // namespace

String dataPath(const String& name) {
    if (listener != nullptr) {
        listener(name);
    }
    std::vector<char> path(name.c_str(), name.c_str() + name.size() + 1);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return String(path.data());
}

void setDataFileListener(DataFileListener newListener) {
    listener = newListener;
}
