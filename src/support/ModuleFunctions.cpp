// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ModuleFunctions.h"

#include <dlfcn.h>

std::vector<void*> ModuleFunctions(const std::string& path, std::initializer_list<const char*> names,
                                   std::string& why) {
    std::vector<void*> functions;
    if (void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        for (const char* name : names) {
            void* function = ::dlsym(module, name);
            if (function == nullptr) break;
            functions.push_back(function);
        }
    }
    if (functions.size() == names.size()) return functions;
    const char* said = ::dlerror();
    why = said != nullptr ? said : "a function is missing";
    return {};
}
