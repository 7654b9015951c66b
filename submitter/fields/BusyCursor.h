#pragma once
// The hourglass while something slow runs: shown for the lifetime of the
// object, and the previous pointer comes back afterwards.
namespace z9 {

class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool shown_ = false;
};

} // namespace z9
