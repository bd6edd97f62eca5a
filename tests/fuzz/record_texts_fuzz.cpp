// SPDX-License-Identifier: GPL-3.0-or-later
// The record loader on any texts at all: the fuzzer's bytes, read as "[section]" and "key=value" lines with
// nothing escaped, fill an in-memory store, so that every stored text reaches the loader exactly as given.
#include "platform/sim/sim_platform.h"
#include "record_check.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zem::platform::sim::MemoryStore store;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string section;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (const size_t eq = line.find('='); eq != std::string::npos) {
            store.values[{"zem", section, line.substr(0, eq)}] = line.substr(eq + 1);
        }
    }
    const zem::fuzz::Loaded loaded = zem::fuzz::loadAndSave(store, store);
    zem::fuzz::verifyReload(store, loaded);
    return 0;
}
