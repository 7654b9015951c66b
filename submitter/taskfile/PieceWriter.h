#pragma once
// Gathers many small writes into pieces of about 64 KiB for a sink (a file
// being written, a string being built), so a large task file goes out in a
// few writes and is never whole in memory a second time.
#include <functional>
#include <string>
#include <string_view>

namespace z9 {

class PieceWriter {
public:
    // Takes one piece; false stops the writing.
    using Sink = std::function<bool(std::string_view)>;
    static constexpr std::size_t kPieceSize = 64 * 1024;

    explicit PieceWriter(Sink sink) : sink_(std::move(sink)) { piece_.reserve(kPieceSize + 256); }

    // Appends text; false once the sink has failed.
    bool Add(std::string_view text) {
        piece_.append(text);
        return piece_.size() < kPieceSize || Flush();
    }
    // The gathering room itself, for writers that fill it in place; call Added afterwards.
    std::string& Room() { return piece_; }
    bool Added() { return piece_.size() < kPieceSize || Flush(); }
    // Hands over what is left; false when the sink failed now or before.
    bool Finish() { return Flush(); }

private:
    bool Flush() {
        if (ok_ && !piece_.empty()) ok_ = sink_(piece_);
        piece_.clear();
        return ok_;
    }

    Sink sink_;
    std::string piece_;
    bool ok_ = true;
};

} // namespace z9
