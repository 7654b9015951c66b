#pragma once
// A private scratch folder for one benchmark run, made on first use; the
// program removes it when it ends.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

namespace z9::bench {

inline const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "z9bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        return std::filesystem::path(pattern);
    }();
    return folder;
}

} // namespace z9::bench
