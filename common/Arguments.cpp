#include "Arguments.h"

#include "AsciiText.h"

namespace z9 {

std::vector<std::string> SplitArguments(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0, n = line.size();
    while (i < n && IsBlank(line[i]))
        ++i;
    if (i == n) return words;

    // The program's name knows no escapes.
    std::string program;
    if (line[i] == '"') {
        size_t close = line.find('"', i + 1);
        if (close == std::string::npos) close = n;
        program = line.substr(i + 1, close - i - 1);
        i = close < n ? close + 1 : n;
    } else {
        while (i < n && !IsBlank(line[i]))
            program += line[i++];
    }
    words.push_back(program);

    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i == n) break;
        std::string word;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(line[i]))) {
            char c = line[i];
            if (c == '\\') {
                size_t slashes = 0;
                while (i < n && line[i] == '\\') {
                    ++slashes;
                    ++i;
                }
                if (i < n && line[i] == '"') {
                    word.append(slashes / 2, '\\');
                    if (slashes % 2) {
                        word += '"';
                        ++i;
                    }
                } else {
                    word.append(slashes, '\\');
                }
                continue;
            }
            if (c == '"') {
                if (quoted && i + 1 < n && line[i + 1] == '"') {
                    word += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
                continue;
            }
            word += c;
            ++i;
        }
        words.push_back(word);
    }
    return words;
}

} // namespace z9
